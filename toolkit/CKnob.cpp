#include "toolkit/CKnob.h"

#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

#include <cmath>

namespace VSTGUI {

namespace {

constexpr float kKnobRangePx = 200.f;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
             const CPoint& offset, int32_t drawStyle)
    : CControl(size, listener, tag, background),
      offset(offset),
      drawStyle(drawStyle),
      startAngle(static_cast<float>(3 * kPi / 4)),
      rangeAngle(static_cast<float>(3 * kPi / 2))
{
    setHandleBitmap(handle);
}

CKnob::CKnob(const CKnob& other)
    : CControl(other),
      offset(other.offset),
      drawStyle(other.drawStyle),
      colorHandle(other.colorHandle),
      colorShadowHandle(other.colorShadowHandle),
      pHandle(other.pHandle),
      startAngle(other.startAngle),
      rangeAngle(other.rangeAngle),
      zoomFactor(other.zoomFactor),
      inset(other.inset)
{
    if (pHandle)
        pHandle->remember();
}

CKnob::~CKnob()
{
    if (pHandle)
        pHandle->forget();
}

void CKnob::setHandleBitmap(CBitmap* bitmap)
{
    if (bitmap)
        bitmap->remember();
    if (pHandle)
        pHandle->forget();
    pHandle = bitmap;
    inset = pHandle ? pHandle->getWidth() / 2 + 2.5 : 3;
    setDirty(true);
}

void CKnob::draw(CDrawContext* context)
{
    if (CBitmap* background = getDrawBackground())
        background->draw(context, size, offset);
    drawHandle(context);
    setDirty(false);
}

void CKnob::drawHandle(CDrawContext* context)
{
    CPoint where;
    valueToPoint(where);
    where.offset(size.left, size.top);
    if (pHandle) {
        const CCoord w = pHandle->getWidth();
        const CCoord h = pHandle->getHeight();
        pHandle->draw(context, CRect(where.x - w / 2, where.y - h / 2, where.x + w / 2, where.y + h / 2));
        return;
    }
    const CPoint centre = size.getCenter();
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(1);
    context->setFrameColor(colorShadowHandle);
    context->drawLine(CPoint(centre.x + 1, centre.y + 1), CPoint(where.x + 1, where.y + 1));
    context->setFrameColor(colorHandle);
    context->drawLine(centre, where);
}

void CKnob::valueToPoint(CPoint& point) const
{
    const double alpha = startAngle + getValueNormalized() * rangeAngle;
    const CPoint c(size.getWidth() / 2, size.getHeight() / 2);
    point.x = std::floor(c.x + std::cos(alpha) * (c.x - inset) + 0.5);
    point.y = std::floor(c.y + std::sin(alpha) * (c.y - inset) + 0.5);
}

float CKnob::valueFromPoint(CPoint& point) const
{
    const double half = rangeAngle * 0.5;
    const double middleAngle = startAngle + half;
    const CPoint c(size.getWidth() / 2, size.getHeight() / 2);
    const double xRadius = c.x - inset;
    const double yRadius = c.y - inset;
    if (xRadius <= 0 || yRadius <= 0)
        return value;
    double alpha = std::atan2((point.y - c.y) / yRadius, (point.x - c.x) / xRadius) - middleAngle;
    while (alpha >= kPi)
        alpha -= 2 * kPi;
    while (alpha < -kPi)
        alpha += 2 * kPi;
    if (half < 0)
        alpha = -alpha;
    if (alpha > half)
        return vmax;
    if (alpha < -half)
        return vmin;
    return vmin + static_cast<float>(0.5 + alpha / rangeAngle) * getRange();
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    firstPoint = where;
    lastPoint(-1, -1);
    startValue = oldValue;
    modeLinear = false;
    entryState = value;
    range = kKnobRangePx;
    coef = getRange() / range;
    oldButton = buttons;

    int32_t mode = kCircularMode;
    const int32_t frameMode = getFrame() ? getFrame()->getKnobMode() : kCircularMode;
    if (frameMode == kLinearMode) {
        if (!(buttons & kAlt))
            mode = kLinearMode;
    } else if (buttons & kAlt) {
        mode = kLinearMode;
    }
    if (mode == kLinearMode) {
        if (buttons & kZoomModifier)
            range *= zoomFactor;
        lastPoint = where;
        modeLinear = true;
        coef = getRange() / range;
    } else {
        CPoint inView(where);
        inView.offset(-size.left, -size.top);
        startValue = valueFromPoint(inView);
        lastPoint = where;
    }
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&)
{
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !isEditing())
        return kMouseEventNotHandled;
    const float middle = getRange() * 0.5f;
    if (where == lastPoint)
        return kMouseEventHandled;
    lastPoint = where;
    if (modeLinear) {
        const CCoord diff = (firstPoint.y - where.y) + (where.x - firstPoint.x);
        if (buttons != oldButton) {
            // Changing the zoom modifier mid-drag keeps the value where it is.
            range = kKnobRangePx;
            if (buttons & kZoomModifier)
                range *= zoomFactor;
            const float newCoef = getRange() / range;
            entryState += static_cast<float>(diff * (coef - newCoef));
            coef = newCoef;
            oldButton = buttons;
        }
        value = static_cast<float>(entryState + diff * coef);
        bounceValue();
    } else {
        CPoint inView(where);
        inView.offset(-size.left, -size.top);
        value = valueFromPoint(inView);
        if (startValue - value > middle)
            value = vmax;
        else if (value - startValue > middle)
            value = vmin;
        else
            startValue = value;
    }
    if (value != oldValue)
        valueChanged();
    if (isDirty())
        invalid();
    return kMouseEventHandled;
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
    value += (buttons & kZoomModifier) ? 0.1f * distance * wheelInc : distance * wheelInc;
    bounceValue();
    if (isDirty()) {
        invalid();
        beginEdit();
        valueChanged();
        endEdit();
    }
    return true;
}

}  // namespace VSTGUI
