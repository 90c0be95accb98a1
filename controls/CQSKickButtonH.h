#pragma once

// The manual button: a hover kick button that also puts its hint on the
// panel's hint line while the mouse is over it.

#include "controls/CQORHintControl.h"
#include "controls/CQSKickButton.h"

namespace VSTGUI {

class CQSKickButtonH : public CQSKickButton, public CQORHintControl {
public:
    using CQSKickButton::CQSKickButton;

    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
};

}  // namespace VSTGUI
