#pragma once

// The root of a view tree. With a system window it shows itself in a child
// window of it; without one it is an offscreen frame that draws only into
// its back buffer. Everything happens in idle(): window events are read,
// dirty views become an invalid region, and that region is redrawn into the
// back buffer and copied to the window.
//
// Mouse: a press captures the view that handled it until the button comes up;
// with no button held, moves go to the views under the mouse, which are told
// when the mouse enters and leaves them. Keys go to the focus view.

#include "toolkit/CViewContainer.h"
#include "toolkit/DirtyRegion.h"
#include "toolkit/PixelBuffer.h"
#include "toolkit/VSTGUIEditorInterface.h"

#include <memory>
#include <vector>

namespace VSTGUI {

class IPlatformFrame;

class CFrame : public CViewContainer {
public:
    CFrame(const CRect& size, void* systemWindow, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    // Removes all views, closes the window and drops the frame's reference
    // (which deletes it unless someone else holds one). Do not forget it again.
    virtual void close();

    void idle();
    // Milliseconds on the process clock the audio path stamps its blocks with.
    uint64_t getTicks() const;
    int32_t getKnobMode() const;
    VSTGUIEditorInterface* getEditor() const { return pEditor; }
    void beginEdit(int32_t index);
    void endEdit(int32_t index);

    // Resizes the frame and its window; the frame redraws whole.
    bool setSize(CCoord width, CCoord height);
    void* getSystemWindow() const { return systemWindow; }
    IPlatformFrame* getPlatformFrame() const { return platformFrame.get(); }

    void setFocusView(CView* view);
    CView* getFocusView() const { return pFocusView; }
    // Keys reach a child window only while it holds the input focus; text
    // editing takes it and gives it back.
    void setKeyboardFocus(bool take);

    // Device pixels per frame pixel (the editor's scale): the back buffer and
    // the window are that much larger, the views never know.
    double getScale() const { return scale; }
    // The device pixels that cover a frame rectangle, and the frame
    // rectangle that covers device pixels.
    CRect toDevice(const CRect& rect) const;
    CRect fromDevice(const CRect& rect) const;
    CPoint fromDevice(const CPoint& point) const;
    int toDevice(CCoord length) const;

    // Events, in frame coordinates, from the platform window or from tests.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    using CViewContainer::onWheel;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    int32_t onKeyUp(VstKeyCode& keyCode) override;
    // The window lost the input focus: whatever had the keys lets go of them.
    void onFocusLost();

    void invalidRect(const CRect& rect) override;
    void invalid() override { invalidRect(size); }
    void setViewSize(const CRect& rect, bool invalidate = true) override;
    CFrame* getFrame() const override { return const_cast<CFrame*>(this); }

    // Draws the invalid region now (idle does this after reading events).
    void drawDirtyRegion();
    const DirtyRegion& getDirtyRegion() const { return dirtyRegion; }
    const PixelBuffer& getBackBuffer() const { return backBuffer; }
    // The views under the mouse, outermost first.
    const std::vector<CView*>& getMouseViews() const { return mouseViews; }

    // Called by a view that leaves the tree so no pointer to it remains.
    void onViewRemoved(CView* view);

    const char* getClassName() const override { return "CFrame"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CFrame") == 0 || CViewContainer::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return nullptr; }

private:
    void checkMouseViews(const CPoint& where, const CButtonState& buttons);
    std::vector<CView*> viewsUnder(const CPoint& where) const;
    CMouseEventResult sendHoverMove(const CPoint& where, const CButtonState& buttons);
    bool hasMouseDownView() const { return mouseDownView != nullptr; }

    VSTGUIEditorInterface* pEditor;
    double scale;
    void* systemWindow;
    std::unique_ptr<IPlatformFrame> platformFrame;
    PixelBuffer backBuffer;
    DirtyRegion dirtyRegion;
    CView* pFocusView = nullptr;
    std::vector<CView*> mouseViews;
};

}  // namespace VSTGUI
