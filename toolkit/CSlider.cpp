#include "toolkit/CSlider.h"

#include "toolkit/CBitmap.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CSlider::CSlider(const CRect& size, CControlListener* listener, int32_t tag, int32_t iMinPos, int32_t iMaxPos,
                 CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style)
    : CControl(size, listener, tag, background),
      offset(offset),
      style(style),
      widthControl(size.getWidth()),
      heightControl(size.getHeight())
{
    setHandle(handle);
    minPos = iMinPos - (isHorizontal() ? size.left : size.top);
    rangeHandle = static_cast<CCoord>(iMaxPos) - iMinPos;
    setOffsetHandle(CPoint(0, 0));
}

CSlider::CSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                 int32_t _rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style)
    : CControl(size, listener, tag, background),
      offset(offset),
      style(style),
      widthControl(size.getWidth()),
      heightControl(size.getHeight())
{
    setHandle(handle);
    rangeHandle = _rangeHandle - (isHorizontal() ? widthOfSlider : heightOfSlider);
    setOffsetHandle(offsetHandle);
}

CSlider::CSlider(const CSlider& other)
    : CControl(other),
      offset(other.offset),
      offsetHandle(other.offsetHandle),
      pHandle(other.pHandle),
      style(other.style),
      widthOfSlider(other.widthOfSlider),
      heightOfSlider(other.heightOfSlider),
      rangeHandle(other.rangeHandle),
      minTmp(other.minTmp),
      maxTmp(other.maxTmp),
      minPos(other.minPos),
      widthControl(other.widthControl),
      heightControl(other.heightControl),
      zoomFactor(other.zoomFactor)
{
    if (pHandle)
        pHandle->remember();
}

CSlider::~CSlider()
{
    if (pHandle)
        pHandle->forget();
}

void CSlider::setHandle(CBitmap* handle)
{
    if (handle)
        handle->remember();
    if (pHandle)
        pHandle->forget();
    pHandle = handle;
    if (pHandle) {
        widthOfSlider = pHandle->getWidth();
        heightOfSlider = pHandle->getHeight();
    } else {
        widthOfSlider = 1;
        heightOfSlider = 1;
    }
    setDirty(true);
}

void CSlider::setOffsetHandle(const CPoint& val)
{
    offsetHandle = val;
    if (isHorizontal()) {
        minTmp = offsetHandle.x + minPos;
        maxTmp = minTmp + rangeHandle + widthOfSlider;
    } else {
        minTmp = offsetHandle.y + minPos;
        maxTmp = minTmp + rangeHandle + heightOfSlider;
    }
}

CRect CSlider::handleRect() const
{
    float norm = getValueNormalized();
    if (isInverted())
        norm = 1.f - norm;
    CRect r;
    if (isHorizontal()) {
        r.top = offsetHandle.y;
        r.bottom = r.top + heightOfSlider;
        r.left = std::max(offsetHandle.x + std::floor(norm * rangeHandle), minTmp);
        r.right = std::min(r.left + widthOfSlider, maxTmp);
    } else {
        r.left = offsetHandle.x;
        r.right = r.left + widthOfSlider;
        r.top = std::max(offsetHandle.y + std::floor(norm * rangeHandle), minTmp);
        r.bottom = std::min(r.top + heightOfSlider, maxTmp);
    }
    return r.offset(size.left, size.top);
}

void CSlider::draw(CDrawContext* context)
{
    if (CBitmap* background = getDrawBackground()) {
        CRect r(0, 0, widthControl, heightControl);
        background->draw(context, r.offset(size.left, size.top), offset);
    }
    if (pHandle)
        pHandle->draw(context, handleRect());
    setDirty(false);
}

CMouseEventResult CSlider::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    // The handle's centre follows the mouse.
    delta = isHorizontal() ? size.left + offsetHandle.x + widthOfSlider / 2 - 1
                           : size.top + offsetHandle.y + heightOfSlider / 2 - 1;
    oldVal = vmin - 1;
    oldButton = buttons;
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    if (buttons & kZoomModifier)
        return kMouseEventHandled;
    return onMouseMoved(where, buttons);
}

CMouseEventResult CSlider::onMouseUp(CPoint&, const CButtonState&)
{
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CSlider::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!isEditing() || !(buttons & kLButton) || rangeHandle <= 0)
        return kMouseEventNotHandled;
    if (oldVal == vmin - 1)
        oldVal = getValueNormalized();
    if (oldButton != buttons && (buttons & kZoomModifier)) {
        oldVal = getValueNormalized();
        oldButton = buttons;
    } else if (!(buttons & kZoomModifier)) {
        oldVal = getValueNormalized();
    }
    float norm = static_cast<float>(((isHorizontal() ? where.x : where.y) - delta) / rangeHandle);
    if (isInverted())
        norm = 1.f - norm;
    if (buttons & kZoomModifier)
        norm = oldVal + (norm - oldVal) / zoomFactor;
    setValueNormalized(norm);
    if (isDirty()) {
        valueChanged();
        invalid();
    }
    return kMouseEventHandled;
}

bool CSlider::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
    float norm = getValueNormalized();
    norm += (buttons & kZoomModifier) ? 0.1f * distance * wheelInc : distance * wheelInc;
    setValueNormalized(norm);
    if (isDirty()) {
        invalid();
        beginEdit();
        valueChanged();
        endEdit();
    }
    return true;
}

}  // namespace VSTGUI
