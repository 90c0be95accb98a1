#pragma once

// The wheel rule the sliders, knobs and the lag time share: one notch (or a
// fraction of one, from smooth wheels) moves the value by a step, a tenth of
// it (or the control's own factor) with kShift, as one complete edit.

#include "toolkit/CControl.h"

namespace VSTGUI {

// Answers whether the value changed.
bool applyFineWheel(CControl& control, float distance, const CButtonState& buttons, float step, float fineFactor);

}  // namespace VSTGUI
