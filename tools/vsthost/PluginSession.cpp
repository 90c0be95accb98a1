#include "tools/vsthost/PluginSession.h"

#include "tools/vsthost/HostError.h"

#include <filesystem>

namespace vsthost {

PluginSession::PluginSession(const std::string& path, double sampleRate, int blockFrames)
    : path_(path), sampleRate_(sampleRate), blockFrames_(blockFrames)
{
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        throw HostError(kExitPlugin, "cannot load plug-in '" + path + "': no such file");
    host::HostState& state = host::hostState();
    state.sampleRate = static_cast<float>(sampleRate);
    state.blockSize = blockFrames;
    std::string error;
    library_ = host::PluginLibrary::open(path, error);
    // The loader's reasons already name the file.
    if (!library_)
        throw HostError(kExitPlugin, "cannot load plug-in: " + error);
}

PluginSession::~PluginSession() = default;

std::unique_ptr<host::Plugin> PluginSession::createInstance() const
{
    std::string error;
    AEffect* effect = library_->instantiate(error);
    if (!effect)
        throw HostError(kExitPlugin, "cannot load plug-in '" + path_ + "': " + error);
    auto plugin = std::make_unique<host::Plugin>(effect);
    plugin->setSampleRate(static_cast<float>(sampleRate_));
    plugin->setBlockSize(blockFrames_);
    return plugin;
}

}  // namespace vsthost
