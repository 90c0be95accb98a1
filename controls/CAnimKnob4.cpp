#include "controls/CAnimKnob4.h"

#include "controls/FineWheel.h"
#include "toolkit/CBitmap.h"

namespace VSTGUI {
namespace {
constexpr float kPixelsPerDragRangeUnit = 1000.f;
// The modifiers and buttons that define a drag's speed; kDoubleClick only marks the press.
constexpr int32_t kDragStateMask = ~kDoubleClick;
}  // namespace

CAnimKnob4::CAnimKnob4(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                       CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CAnimKnob(size, listener, tag, subPixmaps, heightOfOneImage, background, offset)
{
    if (background) {
        imageWidth = background->getWidth();
        imageHeight = background->getHeight();
    }
    framesInImage = getNumSubPixmaps();
}

int32_t CAnimKnob4::frameIndex() const
{
    const float norm = getValueNormalized();
    if (!(norm > 0.f) || framesInImage < 1)
        return 0;
    const int32_t index = static_cast<int32_t>(static_cast<float>(framesInImage - 1) * norm + 0.5f);
    return index < framesInImage ? index : framesInImage - 1;
}

void CAnimKnob4::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, CPoint(0, frameIndex() * heightOfOneImage));
    setDirty(false);
}

float CAnimKnob4::valuePerPixelFor(const CButtonState& buttons) const
{
    float pixels = dragRange * kPixelsPerDragRangeUnit;
    if (buttons & kShift)
        pixels *= fineDivisor;
    return pixels > 0.f ? getRange() / pixels : 0.f;
}

CMouseEventResult CAnimKnob4::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !listener)
        return kMouseEventNotHandled;
    beginEdit();
    if ((buttons & kControl) || buttons.isDoubleClick()) {
        const float before = value;
        value = getDefaultValue();
        if (value != before)
            valueChanged();
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    pressPoint = where;
    pressValue = value;
    pressButtons = buttons & kDragStateMask;
    fineDrag = (buttons & kShift) != 0;
    valuePerPixel = valuePerPixelFor(buttons);
    return onMouseMoved(where, buttons);
}

CMouseEventResult CAnimKnob4::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !isEditing())
        return kMouseEventNotHandled;
    const float moved = static_cast<float>((where.x - pressPoint.x) + (pressPoint.y - where.y));
    const int32_t state = buttons & kDragStateMask;
    if (state != pressButtons) {
        // Re-anchor so the value stays where it is and continues at the new speed.
        const float newPerPixel = valuePerPixelFor(buttons);
        pressValue += (valuePerPixel - newPerPixel) * moved;
        valuePerPixel = newPerPixel;
        pressButtons = state;
        fineDrag = (buttons & kShift) != 0;
    }
    const float before = value;
    value = pressValue + moved * valuePerPixel;
    bounceValue();
    if (value != before) {
        invalid();
        valueChanged();
    }
    return kMouseEventHandled;
}

bool CAnimKnob4::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
    applyFineWheel(*this, distance, buttons, wheelStep, wheelFineFactor);
    return true;
}

}  // namespace VSTGUI
