#pragma once

// A film-strip knob with a linear drag of its own: right and up increase the
// value, the whole range takes `drag range` thousand pixels, kShift makes it
// `fine divisor` times finer (also when pressed or released mid-drag, without
// a jump), kControl or a double click restore the default value.

#include "toolkit/CAnimKnob.h"

namespace VSTGUI {

class CAnimKnob4 : public CAnimKnob {
public:
    CAnimKnob4(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
               CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    using CAnimKnob::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    // The film-strip frame the current value shows.
    int32_t frameIndex() const;

    void setDragRange(float thousandsOfPixels) { dragRange = thousandsOfPixels; }
    float getDragRange() const { return dragRange; }
    void setFineDivisor(float divisor) { fineDivisor = divisor; }
    float getFineDivisor() const { return fineDivisor; }
    void setWheelStep(float step) { wheelStep = step; }
    float getWheelStep() const { return wheelStep; }
    void setWheelFineFactor(float factor) { wheelFineFactor = factor; }
    float getWheelFineFactor() const { return wheelFineFactor; }

protected:
    float valuePerPixelFor(const CButtonState& buttons) const;

    float dragRange = 1.f;
    float fineDivisor = 5.f;
    float wheelStep = 0.01f;
    float wheelFineFactor = 0.1f;
    CCoord imageWidth = 0;
    CCoord imageHeight = 0;
    int32_t framesInImage = 0;

    CPoint pressPoint;
    float pressValue = 0.f;
    int32_t pressButtons = 0;
    float valuePerPixel = 0.f;
    bool fineDrag = false;
};

}  // namespace VSTGUI
