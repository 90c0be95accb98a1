#include "toolkit/CViewContainer.h"

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

#include <algorithm>

namespace VSTGUI {

namespace {

// Keeps a view alive across a call that may remove it from its container.
class ViewGuard {
public:
    explicit ViewGuard(CView* view) : view(view) { view->remember(); }
    ~ViewGuard() { view->forget(); }
    ViewGuard(const ViewGuard&) = delete;
    ViewGuard& operator=(const ViewGuard&) = delete;

private:
    CView* view;
};

}  // namespace

CViewContainer::CViewContainer(const CRect& size, CFrame*, CBitmap* background) : CView(size)
{
    if (background)
        setBackground(background);
}

CViewContainer::CViewContainer(const CViewContainer& other)
    : CView(other), backgroundColor(other.backgroundColor), backgroundOffset(other.backgroundOffset)
{
    for (CView* child : other.children)
        if (auto* copy = dynamic_cast<CView*>(child->newCopy()))
            addView(copy);
}

CViewContainer::~CViewContainer() { removeAll(true); }

bool CViewContainer::addView(CView* view) { return addView(view, nullptr); }

bool CViewContainer::addView(CView* view, CView* before)
{
    if (!view || view == this || isChild(view) || view->getParentView())
        return false;
    auto position = std::find(children.begin(), children.end(), before);
    children.insert(position, view);
    if (isAttached())
        view->attached(this);
    view->invalid();
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    auto found = std::find(children.begin(), children.end(), view);
    if (found == children.end())
        return false;
    view->invalid();
    clearMouseDownView(view);
    if (view->isAttached())
        view->removed(this);
    children.erase(std::find(children.begin(), children.end(), view));
    if (withForget)
        view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget)
{
    mouseDownView = nullptr;
    while (!children.empty())
        removeView(children.back(), withForget);
    return true;
}

bool CViewContainer::changeViewZOrder(CView* view, int32_t newIndex)
{
    auto found = std::find(children.begin(), children.end(), view);
    if (found == children.end() || newIndex < 0 || newIndex >= getNbViews())
        return false;
    children.erase(found);
    children.insert(children.begin() + newIndex, view);
    view->invalid();
    return true;
}

bool CViewContainer::isChild(CView* view, bool deep) const
{
    for (CView* child : children) {
        if (child == view)
            return true;
        if (deep)
            if (auto* container = dynamic_cast<CViewContainer*>(child); container && container->isChild(view, true))
                return true;
    }
    return false;
}

CView* CViewContainer::getView(int32_t index) const
{
    if (index < 0 || index >= getNbViews())
        return nullptr;
    return children[static_cast<size_t>(index)];
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const
{
    CPoint local(where);
    local.offset(-size.left, -size.top);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CView* child = *it;
        if (!child->isVisible() || !child->getMouseableArea().pointInside(local))
            continue;
        if (deep)
            if (auto* container = dynamic_cast<CViewContainer*>(child))
                return container->getViewAt(local, true);
        return child;
    }
    return nullptr;
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
    backgroundColor = color;
    setDirty(true);
}

void CViewContainer::setBackgroundOffset(const CPoint& offset)
{
    backgroundOffset = offset;
    setDirty(true);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& updateRect)
{
    const CRect whole(0, 0, size.getWidth(), size.getHeight());
    if (CBitmap* background = getDrawBackground()) {
        const CRect oldClip = context->getClipRect();
        CRect clip(updateRect);
        context->setClipRect(clip.bound(oldClip));
        background->draw(context, whole, backgroundOffset);
        context->setClipRect(oldClip);
    } else if (backgroundColor.alpha != 0) {
        context->setFillColor(backgroundColor);
        CRect area(updateRect);
        context->drawRect(area.bound(whole), kDrawFilled);
    }
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, size); }

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CRect local(updateRect);
    local.bound(size).offset(-size.left, -size.top);
    context->saveGlobalState();
    CRect clip = context->getClipRect();
    clip.bound(size).offset(-size.left, -size.top);
    context->setOffset(context->getOffset() + size.getTopLeft());
    context->setClipRect(clip);
    local.bound(clip);
    if (!local.isEmpty()) {
        drawBackgroundRect(context, local);
        for (CView* child : children) {
            if (!child->isVisible() || !child->checkUpdate(local))
                continue;
            CRect childClip(child->getViewSize());
            childClip.bound(local);
            context->saveGlobalState();
            context->setClipRect(childClip);
            context->setGlobalAlpha(context->getGlobalAlpha() * child->getAlphaValue());
            child->drawRect(context, childClip);
            context->restoreGlobalState();
        }
    }
    context->restoreGlobalState();
    setDirty(false);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    CPoint local(where);
    local.offset(-size.left, -size.top);
    const std::vector<CView*> snapshot(children);
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        CView* child = *it;
        if (!child->isVisible() || !child->getMouseEnabled() || !child->hitTest(local, buttons))
            continue;
        ViewGuard guard(child);
        CPoint childWhere(local);
        const CMouseEventResult result = child->onMouseDown(childWhere, buttons);
        if (result != kMouseEventNotHandled && result != kMouseEventNotImplemented) {
            if (result == kMouseEventHandled && isChild(child))
                mouseDownView = child;
            return result;
        }
        if (!child->getTransparency())
            return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    CView* view = mouseDownView;
    mouseDownView = nullptr;
    ViewGuard guard(view);
    CPoint local(where);
    local.offset(-size.left, -size.top);
    return view->onMouseUp(local, buttons);
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    CView* view = mouseDownView;
    ViewGuard guard(view);
    CPoint local(where);
    local.offset(-size.left, -size.top);
    return view->onMouseMoved(local, buttons);
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                             const CButtonState& buttons)
{
    CPoint local(where);
    local.offset(-size.left, -size.top);
    const std::vector<CView*> snapshot(children);
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        CView* child = *it;
        if (!child->isVisible() || !child->getMouseEnabled() || !child->hitTest(local, buttons))
            continue;
        ViewGuard guard(child);
        if (child->onWheel(local, axis, distance, buttons))
            return true;
        if (!child->getTransparency())
            return false;
    }
    return false;
}

void CViewContainer::invalid()
{
    setDirty(false);
    invalidRect(CRect(0, 0, size.getWidth(), size.getHeight()));
}

void CViewContainer::invalidRect(const CRect& rect)
{
    if (!isAttached() || !isVisible() || !pParentView)
        return;
    CRect inParent(rect);
    inParent.offset(size.left, size.top).bound(size);
    if (!inParent.isEmpty())
        pParentView->invalidRect(inParent);
}

CPoint& CViewContainer::frameToLocal(CPoint& point) const
{
    point.offset(-size.left, -size.top);
    if (pParentView)
        pParentView->frameToLocal(point);
    return point;
}

CPoint& CViewContainer::localToFrame(CPoint& point) const
{
    point.offset(size.left, size.top);
    if (pParentView)
        pParentView->localToFrame(point);
    return point;
}

bool CViewContainer::attached(CView* parent)
{
    if (!CView::attached(parent))
        return false;
    for (CView* child : children)
        child->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent)
{
    if (!isAttached())
        return false;
    mouseDownView = nullptr;
    for (CView* child : children)
        child->removed(this);
    return CView::removed(parent);
}

void CViewContainer::invalidateDirtyViews()
{
    if (!isVisible())
        return;
    if (CView::isDirty()) {
        invalid();
        return;
    }
    for (CView* child : children) {
        if (!child->isVisible())
            continue;
        if (auto* container = dynamic_cast<CViewContainer*>(child))
            container->invalidateDirtyViews();
        else if (child->isDirty())
            child->invalid();
    }
}

void CViewContainer::clearMouseDownView(CView* view)
{
    if (mouseDownView == view)
        mouseDownView = nullptr;
}

}  // namespace VSTGUI
