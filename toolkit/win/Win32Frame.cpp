#include "toolkit/win/Win32Frame.h"

#include "platform/EditorScale.h"
#include "platform/win/ModuleHandle.h"
#include "toolkit/CButtonState.h"
#include "toolkit/CFrame.h"
#include "toolkit/PixelBuffer.h"
#include "toolkit/win/Win32Keys.h"

#include <windowsx.h>
#include <gdiplus.h>

#include <cmath>

namespace VSTGUI {

namespace {

constexpr const wchar_t* kWindowClass = L"QORValdoraFrame";
constexpr int kLeftButton = 1;
constexpr int kMiddleButton = 2;
constexpr int kRightButton = 3;

int32_t modifiersNow()
{
    int32_t result = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        result |= kShift;
    if (GetKeyState(VK_CONTROL) < 0)
        result |= kControl;
    if (GetKeyState(VK_MENU) < 0)
        result |= kAlt;
    return result;
}

int32_t heldButtonsOf(WPARAM wParam)
{
    int32_t result = 0;
    if (wParam & MK_LBUTTON)
        result |= kLButton;
    if (wParam & MK_MBUTTON)
        result |= kMButton;
    if (wParam & MK_RBUTTON)
        result |= kRButton;
    return result;
}

CPoint pointOf(LPARAM lParam)
{
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

// One class for every frame of the process, registered with the plug-in's module.
bool registerWindowClass(WNDPROC procedure)
{
    const auto module = static_cast<HINSTANCE>(platform::pluginModuleHandle());
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(module, kWindowClass, &existing))
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = kWindowClass;
    // No background brush: Windows would clear the window before each redraw and it would flicker.
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

double desktopEditorScale(void* parentWindow)
{
    // The DPI of the monitor that shows the host's window (the main one
    // before there is a window); Windows before 8.1 has one DPI for all.
    using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    constexpr int kEffectiveDpi = 0;
    const HMONITOR monitor = parentWindow ? MonitorFromWindow(static_cast<HWND>(parentWindow), MONITOR_DEFAULTTONEAREST)
                                          : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (HMODULE shcore = LoadLibraryW(L"shcore.dll")) {
        const auto getDpi = reinterpret_cast<DpiForMonitor>(
            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
        if (!getDpi || getDpi(monitor, kEffectiveDpi, &dpiX, &dpiY) != S_OK)
            dpiX = 0;
        FreeLibrary(shcore);
    }
    if (dpiX == 0) {
        const HDC screen = GetDC(nullptr);
        dpiX = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(nullptr, screen);
    }
    return platform::editorScaleForDpi(dpiX);
}

std::unique_ptr<IPlatformFrame> createPlatformFrame(CFrame& frame, void* parentWindow, const CRect& size)
{
    auto win32 = std::make_unique<Win32Frame>(frame, static_cast<HWND>(parentWindow), size);
    if (!win32->isOpen())
        return nullptr;
    return win32;
}

Win32Frame::Win32Frame(CFrame& frame, HWND parent, const CRect& size) : frame(frame), parent(parent)
{
    if (!parent || !IsWindow(parent) || !registerWindowClass(windowProcedure))
        return;
    const int width = static_cast<int>(std::max(1L, std::lround(size.getWidth())));
    const int height = static_cast<int>(std::max(1L, std::lround(size.getHeight())));
    window = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, width, height,
                             parent, nullptr, static_cast<HINSTANCE>(platform::pluginModuleHandle()), this);
}

Win32Frame::~Win32Frame()
{
    if (!window)
        return;
    if (hasKeyboardFocus)
        setKeyboardFocus(false);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

LRESULT CALLBACK Win32Frame::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Frame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || (self->window && self->window != window))
        return DefWindowProcW(window, message, wParam, lParam);
    if (!self->window)
        self->window = window;
    return self->handle(message, wParam, lParam);
}

void Win32Frame::queueButton(EventKind kind, int button, int32_t buttonFlag, LPARAM lParam)
{
    Event event{kind, pointOf(lParam)};
    event.buttons = modifiersNow() | buttonFlag;
    if (kind == EventKind::ButtonDown) {
        SetCapture(window);
        if (doubleClicks.press(button, static_cast<uint32_t>(GetMessageTime()), event.where))
            event.buttons |= kDoubleClick;
    } else {
        ReleaseCapture();
    }
    queue.push_back(event);
}

LRESULT Win32Frame::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        const RECT& r = paint.rcPaint;
        EndPaint(window, &paint);
        // Only marks the area; drawing waits for the idle that follows.
        Event event{EventKind::Paint};
        event.area = CRect(r.left, r.top, r.right, r.bottom);
        queue.push_back(event);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        queueButton(EventKind::ButtonDown, kLeftButton, kLButton, lParam);
        return 0;
    case WM_MBUTTONDOWN:
        queueButton(EventKind::ButtonDown, kMiddleButton, kMButton, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        queueButton(EventKind::ButtonDown, kRightButton, kRButton, lParam);
        return 0;
    case WM_LBUTTONUP:
        queueButton(EventKind::ButtonUp, kLeftButton, kLButton, lParam);
        return 0;
    case WM_MBUTTONUP:
        queueButton(EventKind::ButtonUp, kMiddleButton, kMButton, lParam);
        return 0;
    case WM_RBUTTONUP:
        queueButton(EventKind::ButtonUp, kRightButton, kRButton, lParam);
        return 0;
    case WM_MOUSEMOVE: {
        if (!trackingLeave) {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
            trackingLeave = TrackMouseEvent(&track) != FALSE;
        }
        Event event{EventKind::Move, pointOf(lParam)};
        event.buttons = modifiersNow() | heldButtonsOf(wParam);
        // Only the newest position matters; older queued moves would replay a stale drag.
        if (!queue.empty() && queue.back().kind == EventKind::Move)
            queue.back() = event;
        else
            queue.push_back(event);
        return 0;
    }
    case WM_MOUSELEAVE: {
        trackingLeave = false;
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(window, &cursor);
        Event event{EventKind::Leave, CPoint(cursor.x, cursor.y)};
        event.buttons = modifiersNow();
        queue.push_back(event);
        return 0;
    }
    case WM_MOUSEWHEEL: {
        // Wheel positions come in screen coordinates.
        POINT where{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &where);
        Event event{EventKind::Wheel, CPoint(where.x, where.y)};
        event.buttons = modifiersNow() | heldButtonsOf(GET_KEYSTATE_WPARAM(wParam));
        event.wheelSteps = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
        queue.push_back(event);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        Event event{message == WM_KEYDOWN || message == WM_SYSKEYDOWN ? EventKind::KeyDown : EventKind::KeyUp};
        event.key = translateKey(wParam, lParam);
        queue.push_back(event);
        return 0;
    }
    case WM_KILLFOCUS:
        if (hasKeyboardFocus) {
            hasKeyboardFocus = false;
            queue.push_back(Event{EventKind::FocusLost});
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Win32Frame::processEvents()
{
    // Handling an event may queue more (or close the window): take the queue first.
    std::vector<Event> pending;
    pending.swap(queue);
    for (const Event& event : pending)
        dispatch(event);
}

void Win32Frame::dispatch(const Event& event)
{
    // Windows speaks device pixels; the views speak frame pixels.
    CPoint where = frame.fromDevice(event.where);
    VstKeyCode key = event.key;
    switch (event.kind) {
    case EventKind::Paint:
        frame.invalidRect(frame.fromDevice(event.area));
        break;
    case EventKind::ButtonDown:
        frame.onMouseDown(where, CButtonState(event.buttons));
        break;
    case EventKind::ButtonUp:
        frame.onMouseUp(where, CButtonState(event.buttons));
        break;
    case EventKind::Move:
        frame.onMouseMoved(where, CButtonState(event.buttons));
        break;
    case EventKind::Leave:
        frame.onMouseExited(where, CButtonState(event.buttons));
        break;
    case EventKind::Wheel:
        frame.onWheel(where, kMouseWheelAxisY, event.wheelSteps, CButtonState(event.buttons));
        break;
    case EventKind::KeyDown:
        frame.onKeyDown(key);
        break;
    case EventKind::KeyUp:
        frame.onKeyUp(key);
        break;
    case EventKind::FocusLost:
        frame.onFocusLost();
        break;
    }
}

void Win32Frame::present(const PixelBuffer& backBuffer, const std::vector<CRect>& rects)
{
    if (!window || !backBuffer.isValid() || rects.empty())
        return;
    const int width = backBuffer.getWidth();
    const int height = backBuffer.getHeight();
    HDC const dc = GetDC(window);
    {
        Gdiplus::Graphics graphics(dc);
        // The back buffer is opaque: a plain copy, no blending.
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        for (const CRect& r : rects) {
            const int left = std::max(0, static_cast<int>(std::floor(r.left)));
            const int top = std::max(0, static_cast<int>(std::floor(r.top)));
            const int right = std::min(width, static_cast<int>(std::ceil(r.right)));
            const int bottom = std::min(height, static_cast<int>(std::ceil(r.bottom)));
            if (right <= left || bottom <= top)
                continue;
            const Gdiplus::Rect area(left, top, right - left, bottom - top);
            graphics.DrawImage(backBuffer.getSurface(), area, left, top, area.Width, area.Height, Gdiplus::UnitPixel);
        }
    }
    ReleaseDC(window, dc);
}

void Win32Frame::setSize(int width, int height)
{
    if (!window || width <= 0 || height <= 0)
        return;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Frame::resizeParent(int width, int height)
{
    if (!parent || width <= 0 || height <= 0 || !IsWindow(parent))
        return false;
    return SetWindowPos(parent, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

void Win32Frame::setKeyboardFocus(bool take)
{
    if (!window || take == hasKeyboardFocus)
        return;
    hasKeyboardFocus = take;
    SetFocus(take ? window : parent);
}

}  // namespace VSTGUI
