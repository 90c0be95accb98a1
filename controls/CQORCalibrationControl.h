#pragma once

// The calibration mode selector (Global, Session, Instance): three letter
// zones at the left of the image pick a mode; the wheel steps through them.

#include "toolkit/CControl.h"

namespace VSTGUI {

class CQORCalibrationControl : public CControl {
public:
    // background: three frames of the view's height.
    CQORCalibrationControl(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    using CControl::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    // 0 Global, 1 Session, 2 Instance.
    int32_t position() const;

    const char* getClassName() const override { return "CQORCalibrationControl"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQORCalibrationControl") == 0 || CControl::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CQORCalibrationControl(*this); }
};

}  // namespace VSTGUI
