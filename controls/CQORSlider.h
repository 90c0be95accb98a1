#pragma once

// A slider that is dragged by its handle: a press only starts the edit, a
// drag that starts on the handle moves it by the mouse's travel (finer with
// kShift), and a drag that leaves the handle after grabbing it snaps the
// handle's centre to the mouse. A press elsewhere does not jump the value.
// Vertical sliders keep their maximum at the top (style kVertical | kBottom).

#include "controls/CQORHintControl.h"
#include "toolkit/CSlider.h"

namespace VSTGUI {

class CQORSlider : public CSlider {
public:
    CQORSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
               int32_t rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
               int32_t style = kLeft | kHorizontal);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;

    void setFineFactor(float factor) { fineFactor = factor; }

protected:
    // The handle's extent along the slider axis, in parent coordinates.
    void handleSpan(CCoord& start, CCoord& end) const;

    int32_t pressButtons = 0;
    float lastCoordinate = 0.f;
    uint8_t handleGrabbed = 0;
    float fineFactor = 1.f;
    CCoord handleOrigin = 0;
};

class CQORSliderAH : public CQORSlider, public CQORHintControl, public CQORActiveControl {
public:
    CQORSliderAH(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                 int32_t rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
                 int32_t style = kLeft | kHorizontal);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    using CQORSlider::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    void setWheelStep(float step) { wheelStep = step; }
    float getWheelStep() const { return wheelStep; }
    void setWheelFineFactor(float factor) { wheelFineFactor = factor; }
    float getWheelFineFactor() const { return wheelFineFactor; }

private:
    float wheelStep = 0.025f;
    float wheelFineFactor = 0.1f;
};

}  // namespace VSTGUI
