#pragma once

// A rotary knob. In circular mode the value follows the angle of the mouse
// around the centre; in linear mode (the frame's knob mode kLinearMode, or
// Alt in circular mode) it follows the combined right-and-up movement,
// 200 pixels for the whole range, finer with the zoom modifier.

#include "toolkit/CColor.h"
#include "toolkit/CControl.h"

namespace VSTGUI {

class CKnob : public CControl {
public:
    CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
          const CPoint& offset = CPoint(0, 0), int32_t drawStyle = 0);
    CKnob(const CKnob& other);
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    using CControl::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    virtual void valueToPoint(CPoint& point) const;
    virtual float valueFromPoint(CPoint& point) const;
    virtual void setHandleBitmap(CBitmap* bitmap);

    const char* getClassName() const override { return "CKnob"; }
    bool isTypeOf(const char* s) const override { return std::strcmp(s, "CKnob") == 0 || CControl::isTypeOf(s); }
    CBaseObject* newCopy() const override { return new CKnob(*this); }

protected:
    void drawHandle(CDrawContext* context);

    CPoint offset;
    int32_t drawStyle;
    CColor colorHandle = kWhiteCColor;
    CColor colorShadowHandle = kGreyCColor;
    CBitmap* pHandle = nullptr;
    float startAngle;
    float rangeAngle;
    float zoomFactor = 1.5f;
    CCoord inset = 3;

    // Drag state, from press to release.
    CPoint firstPoint;
    CPoint lastPoint;
    float startValue = 0;
    float entryState = 0;
    float range = 0;
    float coef = 0;
    CButtonState oldButton;
    bool modeLinear = false;
};

}  // namespace VSTGUI
