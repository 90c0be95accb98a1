#include "toolkit/CView.h"

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

#include <algorithm>

namespace VSTGUI {

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

// A copy is detached: same look and flags, no parent.
CView::CView(const CView& other)
    : CBaseObject(other),
      size(other.size),
      mouseableArea(other.mouseableArea),
      pBackground(other.pBackground),
      alphaValue(other.alphaValue),
      visible(other.visible),
      mouseEnabled(other.mouseEnabled),
      transparent(other.transparent),
      focusWanted(other.focusWanted)
{
}

CView::~CView() = default;

void CView::draw(CDrawContext* context)
{
    if (CBitmap* background = getDrawBackground())
        background->draw(context, size);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
    draw(context);
    setDirty(false);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }

bool CView::onWheel(const CPoint&, const float&, const CButtonState&) { return false; }

bool CView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                    const CButtonState& buttons)
{
    if (axis != kMouseWheelAxisY)
        return false;
    return onWheel(where, distance, buttons);
}

bool CView::hitTest(const CPoint& where, const CButtonState&) { return mouseableArea.pointInside(where); }

int32_t CView::onKeyDown(KeyCode&) { return -1; }
int32_t CView::onKeyUp(KeyCode&) { return -1; }

void CView::setDirty(bool val) { dirty = val; }

void CView::invalid()
{
    setDirty(false);
    invalidRect(size);
}

void CView::invalidRect(const CRect& rect)
{
    if (!attachedToFrame || !visible)
        return;
    if (pParentView)
        pParentView->invalidRect(rect);
}

void CView::setViewSize(const CRect& rect, bool invalidate)
{
    if (rect == size)
        return;
    if (invalidate)
        invalid();
    size = rect;
    mouseableArea = rect;
    if (invalidate)
        invalid();
}

CPoint& CView::frameToLocal(CPoint& point) const
{
    if (pParentView)
        pParentView->frameToLocal(point);
    return point;
}

CPoint& CView::localToFrame(CPoint& point) const
{
    if (pParentView)
        pParentView->localToFrame(point);
    return point;
}

void CView::setVisible(bool state)
{
    if (visible == state)
        return;
    if (!state)
        invalid();
    visible = state;
    if (state)
        invalid();
}

void CView::setBackground(CBitmap* background)
{
    pBackground.reset(background);
    setDirty(true);
}

bool CView::attached(CView* parent)
{
    if (attachedToFrame)
        return false;
    pParentView = parent;
    pParentFrame = parent ? parent->getFrame() : nullptr;
    attachedToFrame = true;
    return true;
}

bool CView::removed(CView*)
{
    if (!attachedToFrame)
        return false;
    if (pParentFrame)
        pParentFrame->onViewRemoved(this);
    pParentView = nullptr;
    pParentFrame = nullptr;
    attachedToFrame = false;
    return true;
}

}  // namespace VSTGUI
