#include "platform/ManualPath.h"

#include "platform/DataFolder.h"
#include "platform/SettingsStore.h"

#include <array>

namespace platform {

std::optional<std::string> readManualPath()
{
    const std::unique_ptr<SettingsKey> key = SettingsKey::open(kSettingsKeyPath);
    if (!key)
        return std::nullopt;
    std::array<char, kMaxManualPathCharacters + 1> text{};
    if (!key->queryString(kManualPathValue, text.data(), text.size()))
        return std::nullopt;
    return std::string(text.data());
}

std::string manualPathToOpen(const std::optional<std::string>& storedPath)
{
    if (storedPath && !storedPath->empty())
        return *storedPath;
    return findDataFile(kManualFileName);
}

std::string manualPathToOpen() { return manualPathToOpen(readManualPath()); }

}  // namespace platform
