#pragma once

#include <string>

namespace testing_support {

struct CommandResult {
    int exitCode = -1;  // -1 when the command did not exit normally
    std::string output;  // stdout and stderr together
};

// Runs a shell command line and collects what it printed.
CommandResult runCommand(const std::string& commandLine);

// Quotes one argument for the shell (plug-in names carry spaces).
std::string shellQuote(const std::string& argument);

}  // namespace testing_support
