#pragma once

// The toolkit's on/off button with a hint: the "ShowFlt" and "ShowLbl"
// buttons, whose hint says what the next click does.

#include "controls/CQORHintControl.h"
#include "toolkit/COnOffButton.h"

namespace VSTGUI {

class COnOffButtonH : public COnOffButton, public CQORHintControl {
public:
    using COnOffButton::COnOffButton;

    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
};

}  // namespace VSTGUI
