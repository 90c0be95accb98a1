#pragma once

// The toolkit's horizontal switch with a wheel that steps through the
// positions without wrapping; the AH variant adds the hint line and the
// active flag (filter slope switches).

#include "controls/CQORHintControl.h"
#include "toolkit/CHorizontalSwitch.h"

namespace VSTGUI {

class CQORHorizontalSwitch : public CHorizontalSwitch {
public:
    using CHorizontalSwitch::CHorizontalSwitch;

    using CHorizontalSwitch::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
};

class CQORHorizontalSwitchAH : public CQORHorizontalSwitch, public CQORHintControl, public CQORActiveControl {
public:
    using CQORHorizontalSwitch::CQORHorizontalSwitch;

    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    using CQORHorizontalSwitch::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
};

}  // namespace VSTGUI
