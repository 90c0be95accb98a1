#pragma once

#include <stdexcept>
#include <string>

namespace vsthost {

// Exit codes of the command-line host.
enum ExitCode : int {
    kExitOk = 0,
    kExitCheckFailed = 1,  // ran, but the demo's checks did not hold
    kExitUsage = 2,        // the command line is wrong
    kExitPlugin = 3,       // the plug-in could not be loaded or refused
    kExitFile = 4,         // an audio or chunk file could not be read or written
};

// A failure the host reports in one line and exits on.
class HostError : public std::runtime_error {
public:
    HostError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ExitCode code() const { return code_; }

private:
    ExitCode code_;
};

}  // namespace vsthost
