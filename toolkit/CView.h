#pragma once

// The base of everything drawn in a frame: a rectangle in its parent's
// coordinates that draws itself, answers mouse, wheel and key events and
// marks itself dirty for the next redraw.

#include "toolkit/KeyCode.h"
#include "toolkit/CBaseObject.h"
#include "toolkit/CButtonState.h"
#include "toolkit/CRect.h"

#include <cstdint>

namespace VSTGUI {

class CBitmap;
class CDrawContext;
class CFrame;

class CView : public CBaseObject {
public:
    explicit CView(const CRect& size);
    CView(const CView& other);
    ~CView() override;
    CView& operator=(const CView&) = delete;

    // Drawing: drawRect draws and marks the view clean; draw draws the background bitmap.
    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual bool checkUpdate(const CRect& updateRect) const { return updateRect.rectOverlap(size); }

    // Mouse: `where` is in the parent's coordinates, the same as getViewSize.
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
    // Positive distance: wheel up. Answers true when the view used the step.
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const CButtonState& buttons);
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = -1);
    // Keys reach the frame's focus view; 1 = handled, -1 = not.
    virtual int32_t onKeyDown(KeyCode& keyCode);
    virtual int32_t onKeyUp(KeyCode& keyCode);

    // A dirty view is redrawn at the frame's next idle; invalid asks for it at once.
    virtual void setDirty(bool val = true);
    virtual bool isDirty() const { return dirty; }
    virtual void invalid();
    virtual void invalidRect(const CRect& rect);

    virtual void setViewSize(const CRect& rect, bool invalid = true);
    const CRect& getViewSize() const { return size; }
    CRect& getViewSize(CRect& rect) const { return rect = size; }
    virtual void setMouseableArea(const CRect& rect) { mouseableArea = rect; }
    const CRect& getMouseableArea() const { return mouseableArea; }
    CRect& getMouseableArea(CRect& rect) const { return rect = mouseableArea; }
    CCoord getWidth() const { return size.getWidth(); }
    CCoord getHeight() const { return size.getHeight(); }
    // Frame coordinates to this view's coordinate space (its parent's) and back.
    virtual CPoint& frameToLocal(CPoint& point) const;
    virtual CPoint& localToFrame(CPoint& point) const;

    virtual void setVisible(bool state);
    bool isVisible() const { return visible; }
    virtual void setMouseEnabled(bool state) { mouseEnabled = state; }
    bool getMouseEnabled() const { return mouseEnabled; }
    virtual void setTransparency(bool state) { transparent = state; }
    bool getTransparency() const { return transparent; }
    void setWantsFocus(bool state) { focusWanted = state; }
    virtual void takeFocus() {}
    virtual void looseFocus() {}
    float getAlphaValue() const { return alphaValue; }

    // Takes a reference to the bitmap and drops the one it held.
    virtual void setBackground(CBitmap* background);
    virtual CBitmap* getDrawBackground() const { return pBackground.get(); }

    // Hierarchy: a container calls attached when the view joins a frame's
    // tree and removed when it leaves it.
    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);
    bool isAttached() const { return attachedToFrame; }
    CView* getParentView() const { return pParentView; }
    virtual CFrame* getFrame() const { return pParentFrame; }

    const char* getClassName() const override { return "CView"; }
    bool isTypeOf(const char* s) const override { return std::strcmp(s, "CView") == 0 || CBaseObject::isTypeOf(s); }
    CBaseObject* newCopy() const override { return new CView(*this); }

protected:
    CRect size;
    CRect mouseableArea;
    CView* pParentView = nullptr;
    CFrame* pParentFrame = nullptr;

private:
    SharedPointer<CBitmap> pBackground;
    float alphaValue = 1.f;
    bool dirty = false;
    bool visible = true;
    bool mouseEnabled = true;
    bool transparent = false;
    bool focusWanted = false;
    bool attachedToFrame = false;
};

}  // namespace VSTGUI
