#include "controls/CustomFontPath.h"

#include "platform/DataFolder.h"
#include "platform/ManualPath.h"

#include <unistd.h>

namespace customfont {

std::string fontPathBesideManual(const std::optional<std::string>& manualPath)
{
    if (!manualPath)
        return kFontFileName;
    const std::size_t separator = manualPath->find_last_of("/\\");
    if (separator == std::string::npos)
        return kFontFileName;
    return manualPath->substr(0, separator + 1) + kFontFileName;
}

std::string resolveFontPath(const std::optional<std::string>& manualPath, const std::vector<std::string>& fallbacks)
{
    const std::string besideManual = fontPathBesideManual(manualPath);
    if (access(besideManual.c_str(), R_OK) == 0)
        return besideManual;
    for (const std::string& candidate : fallbacks) {
        if (!candidate.empty() && access(candidate.c_str(), R_OK) == 0)
            return candidate;
    }
    return besideManual;
}

std::vector<std::string> defaultFallbackPaths()
{
    std::vector<std::string> paths;
    for (const std::string& folder : platform::dataFolderCandidates())
        paths.push_back(folder + "/" + kFontFileName);
    paths.push_back(VALDORA_FONT_SOURCE_PATH);
    return paths;
}

std::string customFontPath() { return resolveFontPath(platform::readManualPath(), defaultFallbackPaths()); }

}  // namespace customfont
