#include "platform/DataFolder.h"

#include <dlfcn.h>
#include <unistd.h>

namespace platform {

namespace {

std::string parentFolder(const std::string& path)
{
    const std::size_t separator = path.find_last_of('/');
    if (separator == std::string::npos)
        return std::string();
    return path.substr(0, separator);
}

std::string thisModulePath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&thisModulePath), &info) == 0 || !info.dli_fname)
        return std::string();
    return info.dli_fname;
}

}  // namespace

std::vector<std::string> dataFolderCandidates(const std::string& modulePath, const std::string& configuredFolder)
{
    std::vector<std::string> folders;
    const std::string moduleFolder = parentFolder(modulePath);
    if (!moduleFolder.empty()) {
        // <prefix>/lib/vst/plugin.so and <prefix>/bin/tool
        const std::string up = parentFolder(moduleFolder);
        const std::string upTwice = parentFolder(up);
        if (!upTwice.empty())
            folders.push_back(upTwice + "/share/" + kDataFolderName);
        if (!up.empty())
            folders.push_back(up + "/share/" + kDataFolderName);
    }
    if (!configuredFolder.empty())
        folders.push_back(configuredFolder);
    return folders;
}

std::vector<std::string> dataFolderCandidates()
{
    return dataFolderCandidates(thisModulePath(), VALDORA_DATA_FOLDER);
}

std::string findDataFile(const std::string& fileName)
{
    if (fileName.empty())
        return std::string();
    for (const std::string& folder : dataFolderCandidates()) {
        const std::string path = folder + "/" + fileName;
        if (access(path.c_str(), R_OK) == 0)
            return path;
    }
    return std::string();
}

}  // namespace platform
