#include "platform/DetachedProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

extern char** environ;

namespace platform {

namespace {

constexpr const char* kShell = "/bin/sh";
// The shell starts the program in the background and exits at once, so the
// wait below is short and the program is adopted by init.
constexpr const char* kBackgroundScript = "\"$@\" </dev/null >/dev/null 2>&1 &";

}  // namespace

bool isProgramAvailable(const std::string& program)
{
    if (program.empty())
        return false;
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

bool launchDetached(const std::vector<std::string>& argv)
{
    if (argv.empty() || !isProgramAvailable(argv.front()))
        return false;
    std::vector<std::string> words{"sh", "-c", kBackgroundScript, "sh"};
    words.insert(words.end(), argv.begin(), argv.end());
    std::vector<char*> args;
    for (std::string& word : words)
        args.push_back(word.data());
    args.push_back(nullptr);
    pid_t shell = 0;
    if (posix_spawn(&shell, kShell, nullptr, nullptr, args.data(), environ) != 0)
        return false;
    int status = 0;
    pid_t reaped = 0;
    do {
        reaped = waitpid(shell, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    // A host that ignores SIGCHLD reaps the shell itself.
    if (reaped < 0)
        return errno == ECHILD;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
