#pragma once

// "ManualPath" in the per-user settings key: the full path of the user
// manual that the installation wrote. The custom font lies beside it.

#include "base/Version.h"

#include <optional>
#include <string>

namespace platform {

constexpr const char* kManualPathValue = "ManualPath";
constexpr std::size_t kMaxManualPathCharacters = 1024;
// The manual's file name as installed; the font lies in the same folder.
constexpr const char* kManualFileName = version::kManualFileName;

// Nothing when the key or the value is missing.
std::optional<std::string> readManualPath();

// The manual to open: the stored path when there is one, else the manual of
// the first data folder that holds it (a system-wide installation cannot
// write every user's settings), else empty.
std::string manualPathToOpen(const std::optional<std::string>& storedPath);
std::string manualPathToOpen();

}  // namespace platform
