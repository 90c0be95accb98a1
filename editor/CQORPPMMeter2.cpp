#include "editor/CQORPPMMeter2.h"

#include "controls/PanelPalette.h"
#include "toolkit/CDrawContext.h"

using namespace VSTGUI;

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
        drawNeedle(context, editor::ppmAngleRadians(level), r0, r1, palette::kPpmNeedle);
        if (showHold)
            drawNeedle(context, editor::ppmAngleRadians(hold), r2, r3, palette::kHold);
    }
    setDirty(false);
}
