#include "controls/CustomFontPath.h"

#include "platform/DataFolder.h"
#include "platform/ManualPath.h"

#ifdef _WIN32
#include "platform/win/ModuleHandle.h"
#include "platform/win/WideText.h"

#include <io.h>
#else
#include <unistd.h>
#endif

namespace customfont {

namespace {

bool isReadable(const std::string& path)
{
#ifdef _WIN32
    // Paths are UTF-8; the narrow call would read them in the ANSI code page.
    const std::wstring wide = platform::toWide(path);
    return !wide.empty() && _waccess(wide.c_str(), 4) == 0;
#else
    return access(path.c_str(), R_OK) == 0;
#endif
}

}  // namespace

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
    if (isReadable(besideManual))
        return besideManual;
    for (const std::string& candidate : fallbacks) {
        if (!candidate.empty() && isReadable(candidate))
            return candidate;
    }
    return besideManual;
}

#ifdef _WIN32
// Beside the plug-in DLL, where the Windows build puts it.
std::vector<std::string> defaultFallbackPaths()
{
    const std::string folder = platform::pluginModuleFolder();
    return {folder.empty() ? std::string() : folder + "\\" + kFontFileName};
}
#else
std::vector<std::string> defaultFallbackPaths()
{
    std::vector<std::string> paths;
    for (const std::string& folder : platform::dataFolderCandidates())
        paths.push_back(folder + "/" + kFontFileName);
    paths.push_back(VALDORA_FONT_SOURCE_PATH);
    return paths;
}
#endif

std::string customFontPath() { return resolveFontPath(platform::readManualPath(), defaultFallbackPaths()); }

}  // namespace customfont
