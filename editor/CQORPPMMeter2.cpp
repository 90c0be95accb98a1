#include "editor/CQORPPMMeter2.h"

#include "toolkit/CDrawContext.h"

using namespace VSTGUI;

namespace {

constexpr CColor kNeedleColor = MakeCColor(229, 218, 202, 255);
constexpr CColor kHoldColor = MakeCColor(220, 0, 0, 255);

}  // namespace

CQORPPMMeter2::CQORPPMMeter2(const CPoint& topLeft, CControlListener* listener)
    : CQORMeter2(topLeft, listener, editor::kPpmView)
{
}

void CQORPPMMeter2::setReadings(float newLevel, float newHold)
{
    limitReading(level, newLevel, editor::kLevelReadingLow, editor::kLevelReadingHigh);
    limitReading(hold, newHold, editor::kLevelReadingLow, editor::kLevelReadingHigh);
}

void CQORPPMMeter2::draw(CDrawContext* context)
{
    if (overLed) {
        drawOverLed(context);
        beginNeedles(context);
        drawNeedle(context, editor::ppmAngleRadians(level), r0, r1, kNeedleColor);
        if (showHold)
            drawNeedle(context, editor::ppmAngleRadians(hold), r2, r3, kHoldColor);
    }
    setDirty(false);
}
