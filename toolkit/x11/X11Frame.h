#pragma once

// The frame's window on X11: a child of the host's window, on a connection
// of its own so that nothing depends on the host's event loop. Events are
// read and the back buffer copied only when the frame's idle asks.

#include "toolkit/DoubleClickDetector.h"
#include "toolkit/IPlatformFrame.h"

#include <X11/Xlib.h>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI {

class X11Frame : public IPlatformFrame {
public:
    // Throws nothing; check isOpen() afterwards.
    X11Frame(CFrame& frame, Window parent, const CRect& size);
    ~X11Frame() override;
    X11Frame(const X11Frame&) = delete;
    X11Frame& operator=(const X11Frame&) = delete;

    bool isOpen() const { return window != 0; }

    void processEvents() override;
    void present(const PixelBuffer& backBuffer, const std::vector<CRect>& rects) override;
    void setSize(int width, int height) override;
    bool resizeParent(int width, int height) override;
    bool resizesParentBeforeHost() const override { return false; }
    void setKeyboardFocus(bool take) override;
    void* getWindowHandle() const override { return reinterpret_cast<void*>(window); }

private:
    void handle(XEvent& event);
    void onButtonPress(const XButtonEvent& event);
    void onButtonRelease(const XButtonEvent& event);
    void onMotion(XMotionEvent event);
    void onKey(XKeyEvent& event, bool down);
    bool holdsInputFocus() const;
    void putPixels(const PixelBuffer& backBuffer, const std::vector<CRect>& rects);

    CFrame& frame;
    Display* display = nullptr;
    Window parent;
    Window window = 0;
    GC gc = nullptr;                          // sends the back buffer's pixels as they are
    cairo_surface_t* windowSurface = nullptr;  // for other visuals
    DoubleClickDetector doubleClicks;
    bool hasKeyboardFocus = false;
};

}  // namespace VSTGUI
