#pragma once

// A view that holds views. It owns one reference to each child: addView
// adopts the caller's reference, removeView drops it (or, with withForget
// false, hands it back to the caller). Children are drawn in the order they
// were added; mouse and wheel events go to the topmost child under the mouse.

#include "toolkit/CColor.h"
#include "toolkit/CView.h"

#include <vector>

namespace VSTGUI {

class CViewContainer : public CView {
public:
    explicit CViewContainer(const CRect& size, CFrame* parent = nullptr, CBitmap* background = nullptr);
    CViewContainer(const CViewContainer& other);
    ~CViewContainer() override;

    virtual bool addView(CView* view);
    virtual bool addView(CView* view, CView* before);
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    // Moves a child to position `newIndex` of the drawing order (0 = bottom).
    virtual bool changeViewZOrder(CView* view, int32_t newIndex);
    bool isChild(CView* view) const { return isChild(view, false); }
    bool isChild(CView* view, bool deep) const;
    int32_t getNbViews() const { return static_cast<int32_t>(children.size()); }
    CView* getView(int32_t index) const;
    // The topmost visible child whose mouseable area holds `where` (parent
    // coordinates); with deep, the innermost such view.
    CView* getViewAt(const CPoint& where, bool deep = false) const;

    void setBackgroundColor(const CColor& color);
    // Where in the background bitmap the container's top-left corner lies.
    void setBackgroundOffset(const CPoint& offset);
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& updateRect);

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    using CView::onWheel;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    void invalidRect(const CRect& rect) override;
    // The whole container: invalidRect takes local coordinates.
    void invalid() override;
    CPoint& frameToLocal(CPoint& point) const override;
    CPoint& localToFrame(CPoint& point) const override;
    bool attached(CView* parent) override;
    bool removed(CView* parent) override;

    // Turns every dirty view below into an invalid region of the frame.
    void invalidateDirtyViews();
    void clearMouseDownView(CView* view);

    const char* getClassName() const override { return "CViewContainer"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CViewContainer") == 0 || CView::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CViewContainer(*this); }

protected:
    std::vector<CView*> children;
    CView* mouseDownView = nullptr;
    CColor backgroundColor = kTransparentCColor;
    CPoint backgroundOffset;
};

}  // namespace VSTGUI
