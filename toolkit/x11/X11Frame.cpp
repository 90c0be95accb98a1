#include "toolkit/x11/X11Frame.h"

#include "platform/EditorScale.h"
#include "toolkit/CFrame.h"
#include "toolkit/PixelBuffer.h"
#include "toolkit/x11/X11Keys.h"

#include <X11/Xutil.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace VSTGUI {

namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask | FocusChangeMask;

// X reports wheel steps as presses of buttons 4 (up), 5 (down), 6 (left), 7 (right).
constexpr unsigned int kWheelUp = 4;
constexpr unsigned int kWheelDown = 5;
constexpr unsigned int kWheelLeft = 6;
constexpr unsigned int kWheelRight = 7;

// X reports errors asynchronously and its default handler ends the process.
// A bad window id from the host must not do that: errors on our own
// connection are caught while a trap is set.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display(display)
    {
        XSync(display, False);
        trappedDisplay = display;
        caught = false;
        previous = XSetErrorHandler(onError);
    }
    ~ErrorTrap()
    {
        XSync(display, False);
        XSetErrorHandler(previous);
        trappedDisplay = nullptr;
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    bool failed()
    {
        XSync(display, False);
        return caught;
    }

private:
    static int onError(Display* display, XErrorEvent* error)
    {
        if (display == trappedDisplay) {
            caught = true;
            return 0;
        }
        return previous ? previous(display, error) : 0;
    }

    Display* display;
    static inline Display* trappedDisplay = nullptr;
    static inline bool caught = false;
    static inline XErrorHandler previous = nullptr;
};

int32_t modifiersOf(unsigned int state)
{
    int32_t result = 0;
    if (state & ShiftMask)
        result |= kShift;
    if (state & ControlMask)
        result |= kControl;
    if (state & Mod1Mask)
        result |= kAlt;
    return result;
}

int32_t heldButtonsOf(unsigned int state)
{
    int32_t result = 0;
    if (state & Button1Mask)
        result |= kLButton;
    if (state & Button2Mask)
        result |= kMButton;
    if (state & Button3Mask)
        result |= kRButton;
    return result;
}

int32_t buttonOf(unsigned int button)
{
    switch (button) {
    case Button1:
        return kLButton;
    case Button2:
        return kMButton;
    case Button3:
        return kRButton;
    default:
        return 0;
    }
}

}  // namespace

std::unique_ptr<IPlatformFrame> createPlatformFrame(CFrame& frame, void* parentWindow, const CRect& size)
{
    auto x11 = std::make_unique<X11Frame>(frame, reinterpret_cast<Window>(parentWindow), size);
    if (!x11->isOpen())
        return nullptr;
    return x11;
}

double desktopEditorScale(void* /*parentWindow*/)
{
    // GDK_SCALE is the desktop's explicit whole-number scale; Xft.dpi the
    // font resolution every toolkit of the desktop follows.
    if (const char* gdkScale = std::getenv("GDK_SCALE"); gdkScale && *gdkScale) {
        const double value = std::strtod(gdkScale, nullptr);
        if (value >= 1)
            return platform::snapEditorScale(value);
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0.0;
    const double dpi = platform::xftDpiOf(XResourceManagerString(display));
    XCloseDisplay(display);
    return platform::editorScaleForDpi(dpi);
}

X11Frame::X11Frame(CFrame& frame, Window parent, const CRect& size) : frame(frame), parent(parent)
{
    display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XWindowAttributes parentAttributes{};
    bool parentIsUsable = false;
    {
        ErrorTrap trap(display);
        parentIsUsable = XGetWindowAttributes(display, parent, &parentAttributes) && !trap.failed();
    }
    if (!parentIsUsable) {
        XCloseDisplay(display);
        display = nullptr;
        return;
    }
    const auto width = static_cast<unsigned int>(std::max(1L, std::lround(size.getWidth())));
    const auto height = static_cast<unsigned int>(std::max(1L, std::lround(size.getHeight())));
    XSetWindowAttributes attributes{};
    // No background: X would clear the window before each redraw and it would flicker.
    attributes.background_pixmap = None;
    attributes.event_mask = kEventMask;
    window = XCreateWindow(display, parent, 0, 0, width, height, 0, CopyFromParent, InputOutput, CopyFromParent,
                           CWBackPixmap | CWEventMask, &attributes);
    const Visual* visual = parentAttributes.visual;
    // The common 24-bit visual takes the back buffer's pixels as they are;
    // sending them straight saves the copy (as large as the window) that a
    // drawing surface on the window keeps, which a 2x editor feels.
    if (parentAttributes.depth == 24 && visual->red_mask == 0xff0000 && visual->green_mask == 0xff00 &&
        visual->blue_mask == 0xff)
        gc = XCreateGC(display, window, 0, nullptr);
    else
        windowSurface = cairo_xlib_surface_create(display, window, parentAttributes.visual, static_cast<int>(width),
                                                  static_cast<int>(height));
    XMapWindow(display, window);
    XFlush(display);
}

X11Frame::~X11Frame()
{
    if (!display)
        return;
    if (hasKeyboardFocus)
        setKeyboardFocus(false);
    if (windowSurface)
        cairo_surface_destroy(windowSurface);
    if (gc)
        XFreeGC(display, gc);
    if (window)
        XDestroyWindow(display, window);
    XCloseDisplay(display);
}

void X11Frame::processEvents()
{
    if (!display)
        return;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        handle(event);
    }
}

void X11Frame::handle(XEvent& event)
{
    if (event.xany.window != window)
        return;
    switch (event.type) {
    case Expose:
        // Only marks the area; drawing waits for the idle that follows.
        frame.invalidRect(frame.fromDevice(CRect(event.xexpose.x, event.xexpose.y,
                                                 event.xexpose.x + event.xexpose.width,
                                                 event.xexpose.y + event.xexpose.height)));
        break;
    case ButtonPress:
        onButtonPress(event.xbutton);
        break;
    case ButtonRelease:
        onButtonRelease(event.xbutton);
        break;
    case MotionNotify:
        onMotion(event.xmotion);
        break;
    case LeaveNotify:
        if (event.xcrossing.mode == NotifyNormal) {
            CPoint where = frame.fromDevice(CPoint(event.xcrossing.x, event.xcrossing.y));
            frame.onMouseExited(where, modifiersOf(event.xcrossing.state));
        }
        break;
    case KeyPress:
        onKey(event.xkey, true);
        break;
    case KeyRelease:
        onKey(event.xkey, false);
        break;
    case FocusOut:
        if (hasKeyboardFocus && event.xfocus.mode == NotifyNormal && !holdsInputFocus()) {
            hasKeyboardFocus = false;
            frame.onFocusLost();
        }
        break;
    default:
        break;
    }
}

void X11Frame::onButtonPress(const XButtonEvent& event)
{
    const CPoint device(event.x, event.y);
    const CPoint where = frame.fromDevice(device);
    const int32_t modifiers = modifiersOf(event.state);
    if (event.button >= kWheelUp && event.button <= kWheelRight) {
        const float distance = (event.button == kWheelUp || event.button == kWheelLeft) ? 1.f : -1.f;
        const CMouseWheelAxis axis =
            (event.button == kWheelUp || event.button == kWheelDown) ? kMouseWheelAxisY : kMouseWheelAxisX;
        frame.onWheel(where, axis, distance, CButtonState(modifiers | heldButtonsOf(event.state)));
        return;
    }
    const int32_t button = buttonOf(event.button);
    if (!button)
        return;
    int32_t state = modifiers | button;
    if (doubleClicks.press(static_cast<int>(event.button), static_cast<uint32_t>(event.time), device))
        state |= kDoubleClick;
    CPoint p(where);
    frame.onMouseDown(p, CButtonState(state));
}

void X11Frame::onButtonRelease(const XButtonEvent& event)
{
    const int32_t button = buttonOf(event.button);
    if (!button)
        return;
    CPoint where = frame.fromDevice(CPoint(event.x, event.y));
    frame.onMouseUp(where, CButtonState(modifiersOf(event.state) | button));
}

void X11Frame::onMotion(XMotionEvent event)
{
    // Only the newest position matters; older queued moves would replay a stale drag.
    XEvent newer;
    while (XCheckTypedWindowEvent(display, window, MotionNotify, &newer))
        event = newer.xmotion;
    CPoint where = frame.fromDevice(CPoint(event.x, event.y));
    frame.onMouseMoved(where, CButtonState(modifiersOf(event.state) | heldButtonsOf(event.state)));
}

void X11Frame::onKey(XKeyEvent& event, bool down)
{
    VstKeyCode keyCode = translateKey(event);
    if (down)
        frame.onKeyDown(keyCode);
    else
        frame.onKeyUp(keyCode);
}

void X11Frame::present(const PixelBuffer& backBuffer, const std::vector<CRect>& rects)
{
    if (!backBuffer.isValid())
        return;
    if (gc) {
        putPixels(backBuffer, rects);
        return;
    }
    if (!windowSurface)
        return;
    cairo_t* cr = cairo_create(windowSurface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, backBuffer.getSurface(), 0, 0);
    for (const CRect& r : rects)
        cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(windowSurface);
    XFlush(display);
}

void X11Frame::putPixels(const PixelBuffer& backBuffer, const std::vector<CRect>& rects)
{
    cairo_surface_t* surface = backBuffer.getSurface();
    cairo_surface_flush(surface);
    const int width = backBuffer.getWidth();
    const int height = backBuffer.getHeight();
    XImage image{};
    image.width = width;
    image.height = height;
    image.format = ZPixmap;
    image.data = reinterpret_cast<char*>(cairo_image_surface_get_data(surface));
    // The pixels are 32-bit words in the machine's own byte order; Xlib swaps for the server.
    const uint32_t probe = 1;
    image.byte_order = *reinterpret_cast<const unsigned char*>(&probe) == 1 ? LSBFirst : MSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = 24;
    image.bytes_per_line = cairo_image_surface_get_stride(surface);
    image.bits_per_pixel = 32;
    image.red_mask = 0xff0000;
    image.green_mask = 0xff00;
    image.blue_mask = 0xff;
    if (!XInitImage(&image))
        return;
    for (const CRect& r : rects) {
        const int left = std::clamp(static_cast<int>(std::floor(r.left)), 0, width);
        const int top = std::clamp(static_cast<int>(std::floor(r.top)), 0, height);
        const int right = std::clamp(static_cast<int>(std::ceil(r.right)), 0, width);
        const int bottom = std::clamp(static_cast<int>(std::ceil(r.bottom)), 0, height);
        if (right > left && bottom > top)
            XPutImage(display, window, gc, &image, left, top, left, top, static_cast<unsigned int>(right - left),
                      static_cast<unsigned int>(bottom - top));
    }
    XFlush(display);
}

void X11Frame::setSize(int width, int height)
{
    if (!window || width <= 0 || height <= 0)
        return;
    XResizeWindow(display, window, static_cast<unsigned int>(width), static_cast<unsigned int>(height));
    if (windowSurface)
        cairo_xlib_surface_set_size(windowSurface, width, height);
    XFlush(display);
}

bool X11Frame::resizeParent(int width, int height)
{
    if (!display || width <= 0 || height <= 0)
        return false;
    ErrorTrap trap(display);
    XResizeWindow(display, parent, static_cast<unsigned int>(width), static_cast<unsigned int>(height));
    return !trap.failed();
}

void X11Frame::setKeyboardFocus(bool take)
{
    if (!window || take == hasKeyboardFocus)
        return;
    hasKeyboardFocus = take;
    ErrorTrap trap(display);
    XSetInputFocus(display, take ? window : parent, RevertToParent, CurrentTime);
    XFlush(display);
}

// A FocusOut may be stale: the one caused by our own earlier hand-back can
// arrive after a new edit took the focus again, and the pointer's moves
// report some too. Only where the focus is now says whether it was lost.
bool X11Frame::holdsInputFocus() const
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus == window;
}

}  // namespace VSTGUI
