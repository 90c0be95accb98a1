#include "XvfbServer.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace toolkit_test {

namespace {

constexpr int kFirstDisplay = 90;
constexpr int kLastDisplay = 190;
constexpr int kStartupPolls = 100;
constexpr auto kPollInterval = std::chrono::milliseconds(50);

bool exists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool displayIsFree(int number)
{
    const std::string n = std::to_string(number);
    return !exists("/tmp/.X" + n + "-lock") && !exists("/tmp/.X11-unix/X" + n);
}

}  // namespace

XvfbServer::XvfbServer()
{
    int number = kFirstDisplay;
    while (number <= kLastDisplay && !displayIsFree(number))
        ++number;
    if (number > kLastDisplay)
        return;
    name = ":" + std::to_string(number);
    pid = fork();
    if (pid < 0)
        return;
    if (pid == 0) {
        // The server must not hold the test's output open after the test ends.
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        // -noreset: the server would otherwise restart whenever the last client
        // leaves, between two tests, and refuse the next connection meanwhile.
        execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp", "-noreset", nullptr);
        _exit(127);
    }
    for (int i = 0; i < kStartupPolls && !running; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;  // exited: not installed, or the number was taken after all
            return;
        }
        if (Display* probe = XOpenDisplay(name.c_str())) {
            XCloseDisplay(probe);
            running = true;
        } else {
            std::this_thread::sleep_for(kPollInterval);
        }
    }
}

XvfbServer::~XvfbServer()
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

}  // namespace toolkit_test
