#include "controls/CQOROnOffButton.h"

#include "toolkit/CBitmap.h"

namespace VSTGUI {
namespace {
constexpr float kWheelThreshold = 0.1f;
constexpr int32_t kStripFrames = 3;
}  // namespace

CQOROnOffButton::CQOROnOffButton(const CRect& size, CControlListener* listener, int32_t tag,
                                 CBitmap* background)
    : CControl(size, listener, tag, background)
{
}

void CQOROnOffButton::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, CPoint(0, isOn() ? bitmap->getHeight() / 2 : 0));
    setDirty(false);
}

CMouseEventResult CQOROnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    value = static_cast<int32_t>(value + 0.5f) == 0 ? 1.f : 0.f;
    // No redraw request here: the listener marks the button dirty.
    beginEdit();
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CQOROnOffButton::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    const float effective = wheelSigned ? distance : -distance;
    const float before = value;
    if (wheelDirectional) {
        if (isOn() && effective < -kWheelThreshold)
            value = 0.f;
        else if (!isOn() && effective > kWheelThreshold)
            value = 1.f;
    } else if (effective > kWheelThreshold || effective < -kWheelThreshold) {
        value = isOn() ? 0.f : 1.f;
    }
    if (value != before && listener) {
        invalid();
        beginEdit();
        valueChanged();
        endEdit();
    }
    return true;
}

CMouseEventResult CQOROnOffButtonH::onMouseEntered(CPoint&, const CButtonState&)
{
    showHint(tag, value);
    return kMouseEventHandled;
}

CMouseEventResult CQOROnOffButtonH::onMouseExited(CPoint&, const CButtonState&)
{
    clearHint();
    return kMouseEventHandled;
}

CMouseEventResult CQOROnOffButtonH::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    const CMouseEventResult result = CQOROnOffButton::onMouseDown(where, buttons);
    showHint(tag, value);
    return result;
}

bool CQOROnOffButtonH::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons)
{
    const bool handled = CQOROnOffButton::onWheel(where, distance, buttons);
    showHint(tag, value);
    return handled;
}

CMouseEventResult CQOROnOffButtonAH::onMouseEntered(CPoint&, const CButtonState&)
{
    if (isActive())
        clearHint();
    else
        showHint(tag, 0.f);
    return kMouseEventHandled;
}

CMouseEventResult CQOROnOffButtonAH::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!isActive())
        return kMouseEventHandled;
    return CQOROnOffButton::onMouseDown(where, buttons);
}

bool CQOROnOffButtonAH::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons)
{
    if (!isActive())
        return true;
    return CQOROnOffButtonH::onWheel(where, distance, buttons);
}

int32_t StripActiveButton::frameIndex() const
{
    if (!isOn())
        return 0;
    return isActive() ? 2 : 1;
}

void StripActiveButton::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground()) {
        const CCoord frameHeight = bitmap->getHeight() / kStripFrames;
        bitmap->draw(context, size, CPoint(0, frameHeight * frameIndex()));
    }
    setDirty(false);
}

}  // namespace VSTGUI
