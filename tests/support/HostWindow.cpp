#include "tests/support/HostWindow.h"

#include "tests/support/XvfbServer.h"

#include <cstdlib>

namespace testing_support {

namespace {

toolkit_test::XvfbServer& server()
{
    static toolkit_test::XvfbServer shared;
    return shared;
}

}  // namespace

bool HostWindow::open(int width, int height)
{
    if (!server().isRunning())
        return false;
    setenv("DISPLAY", server().displayName().c_str(), 1);
    display = XOpenDisplay(server().displayName().c_str());
    if (!display)
        return false;
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    return true;
}

void HostWindow::close()
{
    if (!display)
        return;
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
    display = nullptr;
    parent = 0;
}

Window HostWindow::child() const
{
    Window root = 0;
    Window up = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, parent, &root, &up, &children, &count);
    const Window found = count == 1 ? children[0] : 0;
    if (children)
        XFree(children);
    return found;
}

void sendButton(Display* display, Window window, int type, unsigned int button, int x, int y, unsigned int state,
                unsigned long timeMs)
{
    XEvent event{};
    event.xbutton.type = type;
    event.xbutton.display = display;
    event.xbutton.window = window;
    event.xbutton.root = DefaultRootWindow(display);
    event.xbutton.time = timeMs;
    event.xbutton.x = x;
    event.xbutton.y = y;
    event.xbutton.button = button;
    event.xbutton.state = state;
    event.xbutton.same_screen = True;
    XSendEvent(display, window, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
    XFlush(display);
}

void sendMotion(Display* display, Window window, int x, int y, unsigned int state, unsigned long timeMs)
{
    XEvent event{};
    event.xmotion.type = MotionNotify;
    event.xmotion.display = display;
    event.xmotion.window = window;
    event.xmotion.root = DefaultRootWindow(display);
    event.xmotion.time = timeMs;
    event.xmotion.x = x;
    event.xmotion.y = y;
    event.xmotion.state = state;
    event.xmotion.same_screen = True;
    XSendEvent(display, window, True, PointerMotionMask | ButtonMotionMask, &event);
    XFlush(display);
}

}  // namespace testing_support
