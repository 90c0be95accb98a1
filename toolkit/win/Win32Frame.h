#pragma once

// The frame's window on Windows: a child window inside the host's window.
// The window procedure only queues what happens; the frame's idle hands the
// queue to the frame and copies the back buffer to the window, so nothing of
// the frame runs from inside the host's message dispatch.

#include "toolkit/DoubleClickDetector.h"
#include "toolkit/IPlatformFrame.h"
#include "toolkit/KeyCode.h"

#include <windows.h>

#include <vector>

namespace VSTGUI {

class Win32Frame : public IPlatformFrame {
public:
    Win32Frame(CFrame& frame, HWND parent, const CRect& size);
    ~Win32Frame() override;
    Win32Frame(const Win32Frame&) = delete;
    Win32Frame& operator=(const Win32Frame&) = delete;

    bool isOpen() const { return window != nullptr; }

    void processEvents() override;
    void present(const PixelBuffer& backBuffer, const std::vector<CRect>& rects) override;
    void setSize(int width, int height) override;
    bool resizeParent(int width, int height) override;
    bool resizesParentBeforeHost() const override { return true; }
    void setKeyboardFocus(bool take) override;
    void* getWindowHandle() const override { return window; }

private:
    enum class EventKind { Paint, ButtonDown, ButtonUp, Move, Leave, Wheel, KeyDown, KeyUp, FocusLost };
    struct Event {
        explicit Event(EventKind kind, const CPoint& where = CPoint()) : kind(kind), where(where) {}
        EventKind kind;
        CPoint where;
        int32_t buttons = 0;  // CButtonState flags
        float wheelSteps = 0;
        CRect area;
        KeyCode key{};
    };

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void queueButton(EventKind kind, int button, int32_t buttonFlag, LPARAM lParam);
    void dispatch(const Event& event);

    CFrame& frame;
    HWND parent;
    HWND window = nullptr;
    std::vector<Event> queue;
    DoubleClickDetector doubleClicks;
    bool trackingLeave = false;
    bool hasKeyboardFocus = false;
};

}  // namespace VSTGUI
