#include "tests/support/XvfbServer.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace toolkit_test {

namespace {

constexpr int kStartupPolls = 100;
constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr int kStartupTimeoutMs = 10000;

// The display number the server writes to the pipe once it listens, or an
// empty string when it does not say so in time.
std::string readDisplayNumber(int fd)
{
    std::string number;
    pollfd wait{fd, POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, kStartupTimeoutMs) > 0 && read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    return c == '\n' ? number : std::string();
}

}  // namespace

// The server picks its own free display number (-displayfd): tests started
// side by side, in this tree or another, cannot race for one number and end
// up sharing a server whose windows cover each other.
XvfbServer::XvfbServer()
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return;
    const std::string writeFd = std::to_string(pipeFds[1]);
    pid = fork();
    if (pid < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return;
    }
    if (pid == 0) {
        close(pipeFds[0]);
        // The server must not hold the test's output open after the test ends.
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        // -noreset: the server would otherwise restart whenever the last client
        // leaves, between two tests, and refuse the next connection meanwhile.
        execlp("Xvfb", "Xvfb", "-displayfd", writeFd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
               "-noreset", nullptr);
        _exit(127);
    }
    close(pipeFds[1]);
    const std::string number = readDisplayNumber(pipeFds[0]);
    close(pipeFds[0]);
    if (number.empty())
        return;  // not installed, or it did not come up; the destructor stops it
    name = ":" + number;
    for (int i = 0; i < kStartupPolls && !running; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
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
