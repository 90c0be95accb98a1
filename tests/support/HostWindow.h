#pragma once

// The host's side of an editor window: a connection of its own to a private
// X server (one for the whole test binary, started on first use, named in
// DISPLAY for the editor's own connection) and a mapped top-level window to
// embed the editor in.

#include <X11/Xlib.h>

namespace testing_support {

class HostWindow {
public:
    HostWindow() = default;
    ~HostWindow() { close(); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // False when no X server could be started: the test skips.
    bool open(int width, int height);
    void close();
    // The one window the editor made in the parent, or 0.
    Window child() const;

    Display* display = nullptr;
    Window parent = 0;
};

// A press or release, or a pointer motion, sent to a window as the server
// would deliver it; `timeMs` 0 is the server's current time.
void sendButton(Display* display, Window window, int type, unsigned int button, int x, int y, unsigned int state,
                unsigned long timeMs = 0);
void sendMotion(Display* display, Window window, int x, int y, unsigned int state, unsigned long timeMs = 0);

}  // namespace testing_support
