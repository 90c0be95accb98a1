#pragma once

// The window system side of a frame: a child window inside the host's
// window. The frame drives it from its idle call; nothing runs on its own.

#include "toolkit/CRect.h"

#include <memory>
#include <vector>

namespace VSTGUI {

class CFrame;
class PixelBuffer;

class IPlatformFrame {
public:
    virtual ~IPlatformFrame() = default;
    // Reads all pending window events and hands them to the frame.
    virtual void processEvents() = 0;
    // Copies the given parts of the frame's back buffer to the window.
    virtual void present(const PixelBuffer& backBuffer, const std::vector<CRect>& rects) = 0;
    virtual void setSize(int width, int height) = 0;
    // Resizes the host's window that holds ours (its position and stacking stay).
    virtual bool resizeParent(int width, int height) = 0;
    // Whether an editor resizes the host's window itself before asking the
    // host, or only when the host cannot resize it (X11: the host sizes its
    // own windows, and a second resize behind its back confuses it).
    virtual bool resizesParentBeforeHost() const = 0;
    // A child window only gets keys while it has the input focus: taken while
    // text is edited, given back to the host afterwards.
    virtual void setKeyboardFocus(bool take) = 0;
    virtual void* getWindowHandle() const = 0;
};

// The scale the desktop draws windows at on the screen that shows
// `parentWindow` (null: the main screen); 0 when it says nothing.
double desktopEditorScale(void* parentWindow);

// Makes the window of this platform inside `parentWindow`; null when that fails.
std::unique_ptr<IPlatformFrame> createPlatformFrame(CFrame& frame, void* parentWindow, const CRect& size);

}  // namespace VSTGUI
