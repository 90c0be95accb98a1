#include "platform/ManualPath.h"

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

}  // namespace platform
