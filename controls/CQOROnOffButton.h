#pragma once

// Two-state buttons: a press toggles and reports one complete edit, the
// wheel toggles or, for directional switches, switches on and off by its
// direction. The H, AH and strip variants add the hint line and the active
// flag.

#include "controls/CQORHintControl.h"
#include "toolkit/CControl.h"

namespace VSTGUI {

class CQOROnOffButton : public CControl {
public:
    CQOROnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    using CControl::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    // Directional: wheel one way switches on, the other way off (instead of
    // any step toggling). Signed: wheel up is the "on" direction.
    void setWheelDirectional(bool state) { wheelDirectional = state ? 1 : 0; }
    bool isWheelDirectional() const { return wheelDirectional != 0; }
    void setWheelSigned(bool state) { wheelSigned = state ? 1 : 0; }
    bool isWheelSigned() const { return wheelSigned != 0; }

    const char* getClassName() const override { return "CQOROnOffButton"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQOROnOffButton") == 0 || CControl::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CQOROnOffButton(*this); }

protected:
    bool isOn() const { return value >= 0.5f; }

    uint8_t wheelDirectional = 0;
    uint8_t wheelSigned = 0;
};

class CQOROnOffButtonH : public CQOROnOffButton, public CQORHintControl {
public:
    using CQOROnOffButton::CQOROnOffButton;

    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    using CQOROnOffButton::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
};

class CQOROnOffButtonAH : public CQOROnOffButtonH, public CQORActiveControl {
public:
    using CQOROnOffButtonH::CQOROnOffButtonH;

    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    using CQOROnOffButtonH::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
};

// The filter strip's in/out button and lamp: off, on but inactive (PROCESS
// off), on and active, one frame each.
class StripActiveButton : public CQOROnOffButtonAH {
public:
    using CQOROnOffButtonAH::CQOROnOffButtonAH;

    void draw(CDrawContext* context) override;
    // The frame draw picks: 0 off, 1 on but inactive, 2 on and active.
    int32_t frameIndex() const;
};

}  // namespace VSTGUI
