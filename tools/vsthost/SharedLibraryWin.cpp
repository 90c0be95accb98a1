#include "tools/vsthost/SharedLibrary.h"

#include <windows.h>

#include <climits>
#include <cstring>

namespace host {

namespace {

std::wstring wideText(const std::string& utf8)
{
    if (utf8.empty() || utf8.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength > 0 ? wideLength : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideLength);
    return wide;
}

}  // namespace

void* loadSharedLibrary(const std::string& path, std::string& error)
{
    const std::wstring file = wideText(path);
    // Dependencies are looked up beside the plug-in, as hosts load them.
    HMODULE const module =
        file.empty() ? nullptr : LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module)
        error = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return module;
}

void* sharedLibrarySymbol(void* library, const char* name)
{
    FARPROC const procedure = GetProcAddress(static_cast<HMODULE>(library), name);
    void* symbol = nullptr;
    static_assert(sizeof(symbol) == sizeof(procedure), "function and object pointers differ");
    std::memcpy(&symbol, &procedure, sizeof(symbol));
    return symbol;
}

void unloadSharedLibrary(void* library)
{
    FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace host
