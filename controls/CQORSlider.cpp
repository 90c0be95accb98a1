#include "controls/CQORSlider.h"

#include "controls/FineWheel.h"
#include "toolkit/CDrawContext.h"

namespace VSTGUI {
namespace {
constexpr float kInactiveAlpha = 0.5f;
}

CQORSlider::CQORSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                       int32_t rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset,
                       int32_t style)
    : CSlider(size, listener, tag, offsetHandle, rangeHandle, handle, background, offset, style)
{
}

void CQORSlider::handleSpan(CCoord& start, CCoord& end) const
{
    const float norm = getValueNormalized();
    if (isHorizontal()) {
        start = handleOrigin + norm * rangeHandle;
        end = start + widthOfSlider;
    } else {
        start = handleOrigin + (1.f - norm) * rangeHandle;
        end = start + heightOfSlider;
    }
}

CMouseEventResult CQORSlider::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    beginEdit();
    if (buttons.isDoubleClick()) {
        const float before = value;
        value = getDefaultValue();
        if (value != before)
            valueChanged();
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    pressButtons = buttons;
    handleGrabbed = 0;
    handleOrigin = isHorizontal() ? size.left + offsetHandle.x : size.top + offsetHandle.y;
    lastCoordinate = static_cast<float>(isHorizontal() ? where.x : where.y);
    return kMouseEventHandled;
}

CMouseEventResult CQORSlider::onMouseUp(CPoint&, const CButtonState&)
{
    handleGrabbed = 0;
    pressButtons = 0;
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CQORSlider::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(pressButtons & kLButton) || !(buttons & kLButton))
        return kMouseEventNotHandled;
    if (rangeHandle <= 0)
        return kMouseEventHandled;
    const float range = static_cast<float>(rangeHandle);
    const float current = static_cast<float>(isHorizontal() ? where.x : where.y);
    const bool fine = (buttons & kShift) != 0;
    CCoord start = 0;
    CCoord end = 0;
    handleSpan(start, end);
    const float before = getValueNormalized();
    float norm = before;
    const bool onHandle = lastCoordinate >= start && lastCoordinate <= end;
    if (onHandle || (fine && handleGrabbed)) {
        handleGrabbed = 1;
        float delta = (lastCoordinate - current) / range;
        if (fine)
            delta *= fineFactor;
        norm = isHorizontal() ? before - delta : before + delta;
        if (norm < 0.f)
            norm = 0.f;
        else if (norm > 1.f)
            norm = 1.f;
        else
            lastCoordinate = current;  // a clamped drag keeps its anchor, so reversing regrabs in place
    } else if (handleGrabbed) {
        const float along = lastCoordinate - static_cast<float>(handleOrigin);
        if (isHorizontal())
            norm = along >= range ? 1.f : along <= 0.f ? 0.f : (along - widthOfSlider / 2.f) / range;
        else
            norm = along <= 0.f ? 1.f : along >= range ? 0.f : 1.f - (along - heightOfSlider / 2.f) / range;
        lastCoordinate = current;
    }
    if (norm != before) {
        setValueNormalized(norm);
        valueChanged();
        invalid();
    }
    return kMouseEventHandled;
}

CQORSliderAH::CQORSliderAH(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                           int32_t rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset,
                           int32_t style)
    : CQORSlider(size, listener, tag, offsetHandle, rangeHandle, handle, background, offset, style)
{
}

void CQORSliderAH::draw(CDrawContext* context)
{
    if (isActive()) {
        CQORSlider::draw(context);
        return;
    }
    const float alpha = context->getGlobalAlpha();
    context->setGlobalAlpha(alpha * kInactiveAlpha);
    CQORSlider::draw(context);
    context->setGlobalAlpha(alpha);
}

CMouseEventResult CQORSliderAH::onMouseEntered(CPoint&, const CButtonState&)
{
    if (isActive())
        clearHint();
    else
        showHint(tag, 0.f);
    return kMouseEventHandled;
}

CMouseEventResult CQORSliderAH::onMouseExited(CPoint&, const CButtonState&)
{
    clearHint();
    return kMouseEventHandled;
}

CMouseEventResult CQORSliderAH::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!isActive())
        return kMouseEventHandled;
    return CQORSlider::onMouseDown(where, buttons);
}

CMouseEventResult CQORSliderAH::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    // A drag that PROCESS switched off halfway still closes its edit with the host.
    if (!isActive() && !isEditing())
        return kMouseEventHandled;
    return CQORSlider::onMouseUp(where, buttons);
}

CMouseEventResult CQORSliderAH::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!isActive())
        return kMouseEventHandled;
    return CQORSlider::onMouseMoved(where, buttons);
}

bool CQORSliderAH::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
    if (isActive())
        applyFineWheel(*this, distance, buttons, wheelStep, wheelFineFactor);
    return true;
}

}  // namespace VSTGUI
