#pragma once

// A two-state button: the bitmap holds the off image above the on image.
// A left press toggles it and reports the change as one complete edit.

#include "toolkit/CControl.h"

namespace VSTGUI {

class COnOffButton : public CControl {
public:
    enum { kPreListenerUpdate = 0, kPostListenerUpdate };

    COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                 int32_t style = kPreListenerUpdate);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

    const char* getClassName() const override { return "COnOffButton"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "COnOffButton") == 0 || CControl::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new COnOffButton(*this); }

protected:
    bool isOn() const { return value >= vmin + getRange() / 2; }

    int32_t style;
};

}  // namespace VSTGUI
