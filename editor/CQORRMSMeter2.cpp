#include "editor/CQORRMSMeter2.h"

#include "controls/PanelPalette.h"
#include "toolkit/CDrawContext.h"

using namespace VSTGUI;

namespace {

constexpr CCoord kCoreWidth = 1.0;

}  // namespace

CQORRMSMeter2::CQORRMSMeter2(const CPoint& topLeft, CControlListener* listener)
    : CQORMeter2(topLeft, listener, editor::kRmsView)
{
}

void CQORRMSMeter2::setReadings(float newLevel, float newHold, float newRms)
{
    limitReading(level, newLevel, editor::kLevelReadingLow, editor::kLevelReadingHigh);
    limitReading(hold, newHold, editor::kLevelReadingLow, editor::kLevelReadingHigh);
    limitReading(rms, newRms, editor::kLevelReadingLow, editor::kLevelReadingHigh);
}

void CQORRMSMeter2::draw(CDrawContext* context)
{
    if (overLed) {
        drawOverLed(context);
        beginNeedles(context);

        // The RMS needle sits below the peak needle; its black core keeps it
        // readable where the two overlap.
        const double rmsAngle = editor::rmsAngleRadians(rms);
        drawNeedle(context, rmsAngle, r0, r1, palette::kRmsNeedle);
        context->setLineWidth(kCoreWidth);
        drawNeedle(context, rmsAngle, r1, r0, palette::kRmsCore);

        context->setLineWidth(kNeedleWidth);
        const double levelAngle = editor::rmsAngleRadians(level);
        drawNeedle(context, levelAngle, r0, r1, palette::kPeakNeedle);
        drawNeedle(context, levelAngle, r1, r2, palette::kPeakTip);

        if (showHold)
            drawNeedle(context, editor::rmsAngleRadians(hold), r2, r3, palette::kRmsHold);
    }
    setDirty(false);
}
