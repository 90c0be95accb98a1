#pragma once

// A private X server for one test: Xvfb on a display number it finds free,
// stopped when the object goes away.

#include <string>
#include <sys/types.h>

namespace toolkit_test {

class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // False when Xvfb is not installed or did not come up.
    bool isRunning() const { return running; }
    const std::string& displayName() const { return name; }

private:
    pid_t pid = -1;
    std::string name;
    bool running = false;
};

}  // namespace toolkit_test
