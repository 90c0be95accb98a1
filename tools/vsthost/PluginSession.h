#pragma once

#include "tools/vsthost/PluginHost.h"

#include <memory>
#include <string>

namespace vsthost {

// A plug-in library and its instances, opened in the order a host uses: load the
// library, call the entry point, effOpen, sample rate, block size. Instances are
// closed before the library is unloaded.
class PluginSession {
public:
    // Throws HostError (kExitPlugin) for a missing file, a library that does not
    // load, one without an entry point.
    PluginSession(const std::string& path, double sampleRate, int blockFrames);
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    // A new, suspended instance at the session's rate and block size; throws
    // HostError (kExitPlugin) when the plug-in refuses.
    std::unique_ptr<host::Plugin> createInstance() const;

    const std::string& path() const { return path_; }
    double sampleRate() const { return sampleRate_; }
    int blockFrames() const { return blockFrames_; }

private:
    std::string path_;
    double sampleRate_;
    int blockFrames_;
    std::unique_ptr<host::PluginLibrary> library_;
};

}  // namespace vsthost
