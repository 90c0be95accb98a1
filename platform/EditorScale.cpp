#include "platform/EditorScale.h"

#include "platform/SettingsStore.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {

namespace {

constexpr double kBaseDpi = 96.0;
constexpr std::array<double, 3> kAllowedScales{2.0, 1.5, 1.0};
constexpr std::size_t kMaxStoredChars = 16;

}  // namespace

double snapEditorScale(double scale)
{
    if (!std::isfinite(scale))
        return kSmallestEditorScale;
    for (const double allowed : kAllowedScales)
        if (scale >= allowed)
            return allowed;
    return kSmallestEditorScale;
}

double editorScaleForDpi(double dpi) { return dpi > 0 ? snapEditorScale(dpi / kBaseDpi) : 0.0; }

double parseEditorScale(const std::string& text)
{
    if (text.empty() || text == "auto")
        return 0.0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !(value > 0) || value > 100)
        return 0.0;
    return snapEditorScale(value);
}

double xftDpiOf(const char* resources)
{
    static constexpr const char kName[] = "Xft.dpi:";
    for (const char* line = resources; line && *line;) {
        if (std::strncmp(line, kName, sizeof kName - 1) == 0) {
            const double dpi = std::strtod(line + sizeof kName - 1, nullptr);
            return std::isfinite(dpi) && dpi > 0 ? dpi : 0.0;
        }
        line = std::strchr(line, '\n');
        if (line)
            ++line;
    }
    return 0.0;
}

double storedEditorScale()
{
    const std::unique_ptr<SettingsKey> key = SettingsKey::open(kSettingsKeyPath);
    std::array<char, kMaxStoredChars> text{};
    if (!key || !key->queryString(kEditorScaleValueName, text.data(), text.size()))
        return 0.0;
    return parseEditorScale(text.data());
}

double chooseEditorScale(double desktopScale)
{
    if (const double stored = storedEditorScale(); stored > 0)
        return stored;
    if (desktopScale > 0)
        return snapEditorScale(desktopScale);
    return kSmallestEditorScale;
}

}  // namespace platform
