#pragma once

// The plug-in keeps text in UTF-8; the wide Windows calls take UTF-16.

#include <string>

namespace platform {

std::wstring toWide(const std::string& utf8);
std::string toUtf8(const wchar_t* text, std::size_t length);

}  // namespace platform
