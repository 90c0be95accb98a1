// vsthost: a command-line VST 2.4 host. See usageText() or README.md.
#include "tools/vsthost/CommandLine.h"
#include "tools/vsthost/Demo.h"
#include "tools/vsthost/HostError.h"
#include "tools/vsthost/HostRun.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The plug-in this build produces; --demo uses it when no other is named.
constexpr const char* kDefaultPluginPath = VALDORA_PLUGIN_PATH;

int run(const std::vector<std::string>& arguments)
{
    const vsthost::Options options = vsthost::parseCommandLine(arguments);
    if (options.help) {
        std::cout << vsthost::usageText();
        return vsthost::kExitOk;
    }
    if (options.demo) {
        if (options.pluginPath.empty() && !std::filesystem::exists(kDefaultPluginPath))
            throw vsthost::HostError(vsthost::kExitPlugin, std::string("cannot load plug-in '") + kDefaultPluginPath +
                                                               "': no such file (build it first: scripts/build.sh)");
        return vsthost::runDemo(options, options.pluginPath.empty() ? kDefaultPluginPath : options.pluginPath,
                                std::cout);
    }
    return vsthost::runHost(options, std::cout);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        return run(arguments);
    } catch (const vsthost::HostError& error) {
        std::cout.flush();
        std::cerr << "vsthost: " << error.what() << '\n';
        if (error.code() == vsthost::kExitUsage)
            std::cerr << "Try 'vsthost --help'.\n";
        return error.code();
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "vsthost: " << error.what() << '\n';
        return vsthost::kExitCheckFailed;
    }
}
