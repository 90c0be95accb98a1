#include "controls/CQORLatencyControl.h"

#include "controls/FineWheel.h"
#include "controls/ControlLayout.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

#include <array>

namespace VSTGUI {
namespace {
constexpr CCoord kLayerHeight = controllayout::kLagTimeLayerHeight;
constexpr float kMaxMs = static_cast<float>(CQORLatencyControl::kMaxMs);

// Digit cells relative to the control's top-left corner.
constexpr CCoord kDigitTop = 16;
constexpr CCoord kDigitBottom = 28;
constexpr std::array<CCoord, 3> kDigitLeft{4, 11, 18};
constexpr CCoord kDigitWidth = 6;
constexpr CCoord kDigitFontSize = 11;
constexpr int32_t kDigitFontStyle = 1;

// Arrow zones: a strip around the horizontal centre, the up arrow above the
// digits, the down arrow below them.
constexpr CCoord kArrowHalfWidth = 10;
constexpr CCoord kUpArrowBottom = 14;
constexpr CCoord kDownArrowTop = 26;

constexpr float kArrowStep = 10.f / kMaxMs;
constexpr float kArrowFineStep = 1.f / kMaxMs;
constexpr float kDragPerPixel = 2.f / kMaxMs;
constexpr float kDragFinePerPixel = 0.1f / kMaxMs;
}  // namespace

CQORLatencyControl::CQORLatencyControl(const CRect& size, CControlListener* listener, int32_t tag,
                                       CBitmap* background)
    : CAnimKnob(size, listener, tag, background), digitFont(defaultFont())
{
}

int32_t CQORLatencyControl::getMilliseconds() const
{
    const float ms = value * kMaxMs + 0.5f;
    if (!(ms > 0.f))
        return 0;
    return ms >= kMaxMs ? CQORLatencyControl::kMaxMs : static_cast<int32_t>(ms);
}

void CQORLatencyControl::draw(CDrawContext* context)
{
    CBitmap* bitmap = getDrawBackground();
    if (!bitmap) {
        setDirty(false);
        return;
    }
    const int32_t ms = getMilliseconds();
    const std::array<int32_t, 3> digits{ms / 100, ms / 10 % 10, ms % 10};
    bitmap->draw(context, size, CPoint(0, 0));
    if (digitFont) {
        context->setFontColor(kBlackCColor);
        context->setFont(digitFont.get(), kDigitFontSize, kDigitFontStyle);
        for (std::size_t i = 0; i < digits.size(); ++i) {
            const char text[2] = {static_cast<char>('0' + digits[i]), '\0'};
            const CRect cell(size.left + kDigitLeft[i], size.top + kDigitTop,
                             size.left + kDigitLeft[i] + kDigitWidth, size.top + kDigitBottom);
            context->drawString(text, cell, kCenterText, true);
        }
    }
    bitmap->draw(context, size, CPoint(0, kLayerHeight));
    bitmap->draw(context, size, CPoint(0, 2 * kLayerHeight));
    setDirty(false);
}

void CQORLatencyControl::stepBy(float change)
{
    const float before = value;
    value += change;
    bounceValue();
    if (value != before)
        valueChanged();
}

CMouseEventResult CQORLatencyControl::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !listener)
        return kMouseEventNotHandled;
    // A flag left from a double click that changed nothing must not mark a later change.
    doubleClicked = 0;
    beginEdit();
    const CCoord centre = size.left + size.getWidth() / 2;
    const bool onArrows = where.x >= centre - kArrowHalfWidth && where.x <= centre + kArrowHalfWidth;
    const float step = (buttons & kShift) ? kArrowFineStep : kArrowStep;
    if (onArrows && (where.y <= size.top + kUpArrowBottom || where.y >= size.top + kDownArrowTop)) {
        // Reported at once, so the host and the lag display follow each click.
        stepBy(where.y <= size.top + kUpArrowBottom ? step : -step);
        invalid();
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    if (buttons.isDoubleClick()) {
        doubleClicked = 1;
        const float before = value;
        value = getDefaultValue();
        if (value != before)
            valueChanged();
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    lastY = static_cast<float>(where.y);
    return kMouseEventHandled;
}

CMouseEventResult CQORLatencyControl::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || !listener || !isEditing())
        return kMouseEventNotHandled;
    const float y = static_cast<float>(where.y);
    const float delta = lastY - y;
    stepBy(delta * ((buttons & kShift) ? kDragFinePerPixel : kDragPerPixel));
    invalid();
    lastY = y;
    return kMouseEventHandled;
}

bool CQORLatencyControl::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
    applyFineWheel(*this, distance, buttons, wheelStep, wheelFineFactor);
    return true;
}

}  // namespace VSTGUI
