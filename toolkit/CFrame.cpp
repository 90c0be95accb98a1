#include "toolkit/CFrame.h"

#include "platform/Clock.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/IPlatformFrame.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

constexpr int32_t kAnyMouseButton = kLButton | kMButton | kRButton;

int pixels(CCoord value) { return static_cast<int>(std::lround(value)); }

// Converts frame coordinates into those of the view's own event space (its parent's).
CPoint toViewSpace(const CView* view, const CPoint& where)
{
    CPoint p(where);
    if (CView* parent = view->getParentView())
        parent->frameToLocal(p);
    return p;
}

}  // namespace

CFrame::CFrame(const CRect& size, void* systemWindow, VSTGUIEditorInterface* editor)
    : CViewContainer(CRect(0, 0, size.getWidth(), size.getHeight())),
      pEditor(editor),
      scale(editor && editor->getEditorScale() > 0 ? editor->getEditorScale() : 1.0),
      systemWindow(systemWindow),
      backBuffer(toDevice(size.getWidth()), toDevice(size.getHeight()))
{
    CViewContainer::attached(nullptr);
    if (systemWindow)
        platformFrame = createPlatformFrame(*this, systemWindow, toDevice(this->size));
    invalid();
}

CFrame::~CFrame()
{
    removeAll(true);
    platformFrame.reset();
}

void CFrame::close()
{
    mouseViews.clear();
    pFocusView = nullptr;
    removeAll(true);
    platformFrame.reset();
    forget();
}

void CFrame::idle()
{
    // Events may close the editor through a control; keep the frame alive meanwhile.
    remember();
    if (platformFrame)
        platformFrame->processEvents();
    invalidateDirtyViews();
    drawDirtyRegion();
    forget();
}

int CFrame::toDevice(CCoord length) const
{
    return scale == 1.0 ? pixels(length) : static_cast<int>(std::ceil(length * scale - 1e-9));
}

CRect CFrame::toDevice(const CRect& rect) const
{
    if (scale == 1.0)
        return rect;
    return CRect(std::floor(rect.left * scale + 1e-9), std::floor(rect.top * scale + 1e-9),
                 std::ceil(rect.right * scale - 1e-9), std::ceil(rect.bottom * scale - 1e-9));
}

CRect CFrame::fromDevice(const CRect& rect) const
{
    if (scale == 1.0)
        return rect;
    return CRect(std::floor(rect.left / scale), std::floor(rect.top / scale), std::ceil(rect.right / scale),
                 std::ceil(rect.bottom / scale));
}

CPoint CFrame::fromDevice(const CPoint& point) const
{
    return scale == 1.0 ? point : CPoint(point.x / scale, point.y / scale);
}

uint64_t CFrame::getTicks() const { return static_cast<uint64_t>(platform::monotonicMs()); }

int32_t CFrame::getKnobMode() const { return pEditor ? pEditor->getKnobMode() : kCircularMode; }

void CFrame::beginEdit(int32_t index)
{
    if (pEditor)
        pEditor->beginEdit(index);
}

void CFrame::endEdit(int32_t index)
{
    if (pEditor)
        pEditor->endEdit(index);
}

bool CFrame::setSize(CCoord width, CCoord height)
{
    if (width <= 0 || height <= 0)
        return false;
    if (width == size.getWidth() && height == size.getHeight())
        return true;
    setViewSize(CRect(0, 0, width, height));
    return true;
}

void CFrame::setViewSize(const CRect& rect, bool)
{
    const CRect newSize(0, 0, rect.getWidth(), rect.getHeight());
    if (newSize == size)
        return;
    size = newSize;
    mouseableArea = newSize;
    backBuffer = PixelBuffer(toDevice(newSize.getWidth()), toDevice(newSize.getHeight()));
    if (platformFrame)
        platformFrame->setSize(toDevice(newSize.getWidth()), toDevice(newSize.getHeight()));
    dirtyRegion.clear();
    invalid();
}

void CFrame::setFocusView(CView* view)
{
    if (view == pFocusView)
        return;
    CView* old = pFocusView;
    pFocusView = nullptr;
    if (old)
        old->looseFocus();
    pFocusView = view;
    if (view)
        view->takeFocus();
}

void CFrame::setKeyboardFocus(bool take)
{
    if (platformFrame)
        platformFrame->setKeyboardFocus(take);
}

void CFrame::onFocusLost() { setFocusView(nullptr); }

std::vector<CView*> CFrame::viewsUnder(const CPoint& where) const
{
    std::vector<CView*> chain;
    const CViewContainer* container = this;
    CPoint local(where);
    while (container) {
        const CViewContainer* next = nullptr;
        for (int32_t i = container->getNbViews() - 1; i >= 0; --i) {
            CView* child = container->getView(i);
            if (!child->isVisible() || !child->getMouseEnabled() || !child->getMouseableArea().pointInside(local))
                continue;
            chain.push_back(child);
            if (auto* childContainer = dynamic_cast<CViewContainer*>(child)) {
                local.offset(-child->getViewSize().left, -child->getViewSize().top);
                next = childContainer;
            }
            break;
        }
        container = next;
    }
    return chain;
}

void CFrame::checkMouseViews(const CPoint& where, const CButtonState& buttons)
{
    const std::vector<CView*> now = viewsUnder(where);
    size_t common = 0;
    while (common < now.size() && common < mouseViews.size() && now[common] == mouseViews[common])
        ++common;
    // Leave from the innermost outwards, then enter from the outermost inwards.
    const std::vector<CView*> left(mouseViews.begin() + static_cast<long>(common), mouseViews.end());
    mouseViews.assign(now.begin(), now.begin() + static_cast<long>(common));
    for (auto it = left.rbegin(); it != left.rend(); ++it) {
        CView* view = *it;
        view->remember();
        CPoint p = toViewSpace(view, where);
        view->onMouseExited(p, buttons);
        view->forget();
    }
    for (size_t i = common; i < now.size(); ++i) {
        CView* view = now[i];
        if (!view->isAttached() || view->getFrame() != this)
            break;
        mouseViews.push_back(view);
        view->remember();
        CPoint p = toViewSpace(view, where);
        view->onMouseEntered(p, buttons);
        view->forget();
    }
}

CMouseEventResult CFrame::sendHoverMove(const CPoint& where, const CButtonState& buttons)
{
    const std::vector<CView*> chain(mouseViews);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        CView* view = *it;
        if (std::find(mouseViews.begin(), mouseViews.end(), view) == mouseViews.end())
            continue;
        view->remember();
        CPoint p = toViewSpace(view, where);
        const CMouseEventResult result = view->onMouseMoved(p, buttons);
        view->forget();
        if (result == kMouseEventHandled)
            return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    remember();
    // A click anywhere but on the focus view takes the keys away from it.
    if (pFocusView) {
        CPoint p = toViewSpace(pFocusView, where);
        if (!pFocusView->hitTest(p, buttons))
            setFocusView(nullptr);
    }
    if (!hasMouseDownView())
        checkMouseViews(where, CButtonState(buttons.getModifierState()));
    const CMouseEventResult result = CViewContainer::onMouseDown(where, buttons);
    forget();
    return result;
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    remember();
    const CMouseEventResult result = CViewContainer::onMouseUp(where, buttons);
    // The mouse may have moved onto other views while it was captured.
    checkMouseViews(where, CButtonState(buttons.getModifierState()));
    forget();
    return result;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    remember();
    CMouseEventResult result;
    if (hasMouseDownView() && (buttons & kAnyMouseButton)) {
        result = CViewContainer::onMouseMoved(where, buttons);
    } else {
        // With no button held a move is a hover, never a drag.
        const CButtonState modifiers(buttons.getModifierState());
        checkMouseViews(where, modifiers);
        result = sendHoverMove(where, modifiers);
    }
    forget();
    return result;
}

CMouseEventResult CFrame::onMouseExited(CPoint& where, const CButtonState& buttons)
{
    if (hasMouseDownView())
        return kMouseEventHandled;
    remember();
    const std::vector<CView*> left(mouseViews);
    mouseViews.clear();
    for (auto it = left.rbegin(); it != left.rend(); ++it) {
        CView* view = *it;
        view->remember();
        CPoint p = toViewSpace(view, where);
        view->onMouseExited(p, buttons);
        view->forget();
    }
    forget();
    return kMouseEventHandled;
}

bool CFrame::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                     const CButtonState& buttons)
{
    remember();
    if (!hasMouseDownView())
        checkMouseViews(where, CButtonState(buttons.getModifierState()));
    const bool handled = CViewContainer::onWheel(where, axis, distance, buttons);
    forget();
    return handled;
}

int32_t CFrame::onKeyDown(VstKeyCode& keyCode)
{
    if (!pFocusView)
        return -1;
    CView* view = pFocusView;
    view->remember();
    const int32_t result = view->onKeyDown(keyCode);
    view->forget();
    return result;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode)
{
    if (!pFocusView)
        return -1;
    CView* view = pFocusView;
    view->remember();
    const int32_t result = view->onKeyUp(keyCode);
    view->forget();
    return result;
}

void CFrame::invalidRect(const CRect& rect)
{
    CRect r(rect);
    if (scale != std::floor(scale)) {
        // At a fractional scale only every second frame pixel starts a whole
        // device pixel; redrawing on that grid keeps seams out of the picture.
        r = CRect(2 * std::floor(r.left / 2), 2 * std::floor(r.top / 2), 2 * std::ceil(r.right / 2),
                  2 * std::ceil(r.bottom / 2));
    }
    r.bound(size);
    dirtyRegion.add(r);
}

void CFrame::drawDirtyRegion()
{
    if (dirtyRegion.isEmpty() || !backBuffer.isValid())
        return;
    const std::vector<CRect> rects = dirtyRegion.getRects();
    dirtyRegion.clear();
    {
        CDrawContext context(backBuffer, scale);
        for (const CRect& r : rects) {
            context.resetClipRect();
            context.setClipRect(r);
            // An opaque base: the window has no background of its own.
            context.setFillColor(kBlackCColor);
            context.drawRect(r, kDrawFilled);
            drawRect(&context, r);
        }
    }
    if (platformFrame) {
        std::vector<CRect> deviceRects;
        deviceRects.reserve(rects.size());
        for (const CRect& r : rects)
            deviceRects.push_back(toDevice(r));
        platformFrame->present(backBuffer, deviceRects);
    }
}

void CFrame::onViewRemoved(CView* view)
{
    if (pFocusView == view) {
        pFocusView = nullptr;
        view->looseFocus();
    }
    mouseViews.erase(std::remove(mouseViews.begin(), mouseViews.end(), view), mouseViews.end());
}

}  // namespace VSTGUI
