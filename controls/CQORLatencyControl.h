#pragma once

// The lag time box: three digits (0 to 999 ms) between two arrows. A click on
// an arrow steps 10 ms (1 ms with kShift), a vertical drag changes 2 ms per
// pixel (0.1 ms with kShift), the wheel 10 ms per notch (1 ms with kShift),
// a double click restores the default and raises a flag the label strip reads.

#include "toolkit/CAnimKnob.h"
#include "toolkit/CBaseObject.h"
#include "toolkit/CFontDesc.h"

namespace VSTGUI {

class CQORLatencyControl : public CAnimKnob {
public:
    static constexpr int32_t kMaxMs = 999;

    // background: three 40-pixel layers (digit box, glass, arrows).
    CQORLatencyControl(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    using CAnimKnob::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    // The lag in whole milliseconds that the digits show.
    int32_t getMilliseconds() const;
    // Set by a double click; the listener reads and clears it with the change.
    bool wasDoubleClicked() const { return doubleClicked != 0; }
    void clearDoubleClicked() { doubleClicked = 0; }

    // The digits' font, drawn at 11 px bold; the control keeps a reference.
    void setDigitFont(CFontRef font) { digitFont.reset(font); }
    void setWheelStep(float step) { wheelStep = step; }
    float getWheelStep() const { return wheelStep; }
    void setWheelFineFactor(float factor) { wheelFineFactor = factor; }
    float getWheelFineFactor() const { return wheelFineFactor; }

private:
    void stepBy(float change);

    uint8_t doubleClicked = 0;
    float lastY = 0.f;
    float wheelStep = 10.f / kMaxMs;
    float wheelFineFactor = 0.1f;
    SharedPointer<CFontDesc> digitFont;
};

}  // namespace VSTGUI
