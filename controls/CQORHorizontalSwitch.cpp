#include "controls/CQORHorizontalSwitch.h"

namespace VSTGUI {
namespace {
constexpr float kWheelThreshold = 0.1f;
}

bool CQORHorizontalSwitch::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    const int32_t positions = getNumSubPixmaps();
    if (positions < 2)
        return true;
    const float step = 1.f / static_cast<float>(positions - 1);
    float next = value;
    if (distance > kWheelThreshold)
        next += step;
    else if (distance < -kWheelThreshold)
        next -= step;
    const float scaled = static_cast<float>(positions - 1) * next + 0.5f;
    next = scaled > 0.f ? static_cast<float>(static_cast<int32_t>(scaled)) * step : 0.f;
    if (next < vmin)
        next = vmin;
    if (next > vmax)
        next = vmax;
    if (next != value) {
        value = next;
        beginEdit();
        valueChanged();
        endEdit();
        invalid();
    }
    return true;
}

CMouseEventResult CQORHorizontalSwitchAH::onMouseEntered(CPoint&, const CButtonState&)
{
    if (isActive())
        clearHint();
    else
        showHint(tag, 0.f);
    return kMouseEventHandled;
}

CMouseEventResult CQORHorizontalSwitchAH::onMouseExited(CPoint&, const CButtonState&)
{
    clearHint();
    return kMouseEventHandled;
}

CMouseEventResult CQORHorizontalSwitchAH::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!isActive())
        return kMouseEventHandled;
    return CQORHorizontalSwitch::onMouseDown(where, buttons);
}

CMouseEventResult CQORHorizontalSwitchAH::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (!isActive() && !isEditing())
        return kMouseEventHandled;
    return CQORHorizontalSwitch::onMouseUp(where, buttons);
}

CMouseEventResult CQORHorizontalSwitchAH::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!isActive())
        return kMouseEventHandled;
    return CQORHorizontalSwitch::onMouseMoved(where, buttons);
}

bool CQORHorizontalSwitchAH::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons)
{
    if (!isActive())
        return true;
    return CQORHorizontalSwitch::onWheel(where, distance, buttons);
}

}  // namespace VSTGUI
