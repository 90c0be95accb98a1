#include "platform/win/WideText.h"

#include <windows.h>

#include <climits>

namespace platform {

std::wstring toWide(const std::string& utf8)
{
    if (utf8.empty() || utf8.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (wideLength <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideLength);
    return wide;
}

std::string toUtf8(const wchar_t* text, std::size_t length)
{
    if (!text || length == 0 || length > INT_MAX)
        return {};
    const int wideLength = static_cast<int>(length);
    const int utf8Length = WideCharToMultiByte(CP_UTF8, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    if (utf8Length <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, wideLength, utf8.data(), utf8Length, nullptr, nullptr);
    return utf8;
}

}  // namespace platform
