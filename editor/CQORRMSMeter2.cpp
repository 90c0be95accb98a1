#include "editor/CQORRMSMeter2.h"

#include "toolkit/CDrawContext.h"

using namespace VSTGUI;

namespace {

constexpr CColor kRmsNeedleColor = MakeCColor(140, 118, 108, 255);
// The core's ink is that of a 0.6-pixel black line, spread over one whole
// pixel: thinner than a pixel, anti-aliasing breaks it into dots.
constexpr CColor kRmsCoreColor = MakeCColor(0, 0, 0, 153);
constexpr CColor kPeakNeedleColor = MakeCColor(237, 230, 201, 255);
constexpr CColor kPeakTipColor = MakeCColor(160, 0, 0, 220);
constexpr CColor kHoldColor = MakeCColor(255, 0, 0, 130);
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
        drawNeedle(context, rmsAngle, r0, r1, kRmsNeedleColor);
        context->setLineWidth(kCoreWidth);
        drawNeedle(context, rmsAngle, r1, r0, kRmsCoreColor);

        context->setLineWidth(kNeedleWidth);
        const double levelAngle = editor::rmsAngleRadians(level);
        drawNeedle(context, levelAngle, r0, r1, kPeakNeedleColor);
        drawNeedle(context, levelAngle, r1, r2, kPeakTipColor);

        if (showHold)
            drawNeedle(context, editor::rmsAngleRadians(hold), r2, r3, kHoldColor);
    }
    setDirty(false);
}
