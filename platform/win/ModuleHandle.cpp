#include "platform/win/ModuleHandle.h"

#include "platform/win/WideText.h"

#include <windows.h>

#include <vector>

namespace {

HINSTANCE pluginModule = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        pluginModule = instance;
        // The plug-in never uses thread attach/detach notifications.
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

namespace platform {

void* pluginModuleHandle()
{
    // Library-load initialisers run before DllMain: then the module is
    // found from the address of its own code.
    if (!pluginModule) {
        HMODULE found = nullptr;
        if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                               reinterpret_cast<LPCWSTR>(&pluginModuleHandle), &found))
            pluginModule = found;
    }
    return pluginModule;
}

std::string pluginModuleFolder()
{
    if (!pluginModuleHandle())
        return {};
    // Long paths may exceed MAX_PATH; grow until the name fits.
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(pluginModule, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            const std::wstring path(name.data(), length);
            const std::size_t separator = path.find_last_of(L"\\/");
            return separator == std::wstring::npos ? std::string() : toUtf8(path.c_str(), separator);
        }
        if (name.size() >= 32768)
            return {};
        name.resize(name.size() * 2);
    }
}

}  // namespace platform
