#include "editor/CQORVUMeter2.h"

#include "controls/PanelPalette.h"
#include "toolkit/CDrawContext.h"

#include <algorithm>
#include <cmath>

using namespace VSTGUI;

namespace {

constexpr int kLastBacklight = editor::kVuBacklightSteps - 1;

CRect coverOf(const CRect& view)
{
    return CRect(view.left, view.bottom - editor::kVuView.coverHeight, view.right, view.bottom);
}

}  // namespace

CQORVUMeter2::CQORVUMeter2(const CPoint& topLeft, CControlListener* listener)
    : CQORMeter2(topLeft, listener, editor::kVuView),
      scale(loadBitmap(editor::bitmap::kVuScale)),
      coverRect(coverOf(size))
{
}

void CQORVUMeter2::setReadings(float newNeedle, float newHold)
{
    limitReading(needle, newNeedle, editor::kVuReadingLow, editor::kVuReadingHigh);
    limitReading(hold, newHold, editor::kVuReadingLow, editor::kVuReadingHigh);
}

void CQORVUMeter2::setBacklight(int index)
{
    backlight = std::clamp(index, 0, kLastBacklight);
}

int CQORVUMeter2::backlightForSetting(float setting)
{
    if (std::isnan(setting))
        return 0;
    const float steps = std::clamp(setting, 0.0F, 1.0F) * static_cast<float>(kLastBacklight);
    return static_cast<int>(steps + 0.5F);
}

void CQORVUMeter2::setScaleBitmap(CBitmap* bitmap)
{
    scale.reset(bitmap && bitmap->isLoaded() ? bitmap : nullptr);
}

void CQORVUMeter2::draw(CDrawContext* context)
{
    if (overLed && scale) {
        const CCoord frameTop = static_cast<CCoord>(editor::kVuScaleFrameHeight * backlight);
        scale->draw(context, size, CPoint(0, frameTop));
        drawOverLed(context);
        beginNeedles(context);
        drawNeedle(context, editor::vuAngleRadians(needle), r0, r1, palette::kVuNeedle);
        if (showHold)
            drawNeedle(context, editor::vuAngleRadians(hold), r2, r3, palette::kHold);
        // The face's bottom strip again, so the needle seems to come from
        // behind it.
        const CCoord coverTop = static_cast<CCoord>(editor::kVuView.height - editor::kVuView.coverHeight);
        scale->draw(context, coverRect, CPoint(0, frameTop + coverTop));
    }
    setDirty(false);
}
