#include "controls/FineWheel.h"

namespace VSTGUI {
namespace {
constexpr float kWholeNotch = 0.1f;  // beyond this a step counts as one full notch
}

bool applyFineWheel(CControl& control, float distance, const CButtonState& buttons, float step, float fineFactor)
{
    if (!(distance == distance))  // not a number: no step
        return false;
    float notches = distance;
    if (distance > kWholeNotch)
        notches = 1.f;
    else if (distance < -kWholeNotch)
        notches = -1.f;
    float change = notches * step;
    if (buttons & kShift)
        change *= fineFactor;
    const float before = control.getValue();
    control.setValue(before + change);
    control.bounceValue();
    if (control.getValue() == before || !control.getListener())
        return false;
    control.invalid();
    control.beginEdit();
    control.valueChanged();
    control.endEdit();
    return true;
}

}  // namespace VSTGUI
