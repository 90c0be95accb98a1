#include "platform/DataFolder.h"

#include "platform/win/ModuleHandle.h"
#include "platform/win/WideText.h"

#include <io.h>

namespace platform {

// On Windows the data files sit beside the plug-in DLL.
std::vector<std::string> dataFolderCandidates()
{
    const std::string folder = pluginModuleFolder();
    if (folder.empty())
        return {};
    return {folder};
}

std::vector<std::string> dataFolderCandidates(const std::string& modulePath, const std::string&)
{
    const std::string::size_type slash = modulePath.find_last_of("/\\");
    if (slash == std::string::npos)
        return {};
    return {modulePath.substr(0, slash)};
}

std::string findDataFile(const std::string& fileName)
{
    constexpr int kReadAccess = 4;
    for (const std::string& folder : dataFolderCandidates()) {
        const std::string path = folder + "\\" + fileName;
        const std::wstring wide = toWide(path);
        if (!wide.empty() && _waccess(wide.c_str(), kReadAccess) == 0)
            return path;
    }
    return {};
}

}  // namespace platform
