#pragma once

// "ManualPath" in the per-user settings key: the full path of the user
// manual that the installation wrote. The custom font lies beside it.

#include <optional>
#include <string>

namespace platform {

constexpr const char* kManualPathValue = "ManualPath";
constexpr std::size_t kMaxManualPathCharacters = 1024;

// Nothing when the key or the value is missing.
std::optional<std::string> readManualPath();

}  // namespace platform
