#include "editor/CQORMeter2.h"

#include "base/ParameterIds.h"
#include "toolkit/CDrawContext.h"

#include <algorithm>
#include <cmath>

using namespace VSTGUI;

namespace {

CRect viewRect(const CPoint& topLeft, const editor::MeterViewGeometry& g)
{
    return CRect(topLeft.x, topLeft.y, topLeft.x + g.width, topLeft.y + g.height);
}

CRect offsetRect(const CPoint& topLeft, const editor::Rect& r)
{
    return CRect(topLeft.x + r.left, topLeft.y + r.top, topLeft.x + r.right, topLeft.y + r.bottom);
}

}  // namespace

CQORMeter2::CQORMeter2(const CPoint& topLeft, CControlListener* listener, const editor::MeterViewGeometry& geometry)
    : CControl(viewRect(topLeft, geometry), listener, kParamClearOvers),
      r0(geometry.r0),
      r1(geometry.r1),
      r2(geometry.r2),
      r3(geometry.r3),
      pivotX(topLeft.x + geometry.pivotX),
      pivotY(topLeft.y + geometry.pivotY),
      overLed(loadBitmap(editor::bitmap::kOverLed)),
      ledRect(offsetRect(topLeft, geometry.led))
{
}

SharedPointer<CBitmap> CQORMeter2::loadBitmap(int resourceId)
{
    auto* bitmap = new CBitmap(CResourceDescription(resourceId));
    SharedPointer<CBitmap> held;
    if (bitmap->isLoaded())
        held.reset(bitmap);
    bitmap->forget();
    return held;
}

void CQORMeter2::limitReading(float& shown, float reading, float low, float high)
{
    if (!std::isnan(reading))
        shown = std::clamp(reading, low, high);
}

void CQORMeter2::setOverState(int state)
{
    overState = state > 0 ? kOverNow : (state < 0 ? kOverNone : kOverLatched);
}

void CQORMeter2::setOverLedBitmap(CBitmap* bitmap)
{
    overLed.reset(bitmap && bitmap->isLoaded() ? bitmap : nullptr);
}

CPoint CQORMeter2::needlePoint(double angleRad, double radius) const
{
    return CPoint(pivotX + 0.5 + radius * std::cos(angleRad), pivotY + 0.5 - radius * std::sin(angleRad));
}

void CQORMeter2::draw(CDrawContext* context)
{
    if (overLed)
        drawOverLed(context);
    setDirty(false);
}

CMouseEventResult CQORMeter2::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (listener)
        listener->valueChanged(this);
    return kMouseEventHandled;
}

void CQORMeter2::drawOverLed(CDrawContext* context) const
{
    const int frame = overState + 1;  // none 0, latched 1, now 2
    overLed->draw(context, ledRect, CPoint(0, frame * editor::kOverLedFrameHeight));
}

void CQORMeter2::beginNeedles(CDrawContext* context) const
{
    context->setDrawMode(kAntiAliasing);
    context->setLineStyle(kLineSolid);
    context->setLineWidth(kNeedleWidth);
}

void CQORMeter2::drawNeedle(CDrawContext* context, double angleRad, float fromRadius, float toRadius,
                            const CColor& color) const
{
    context->setFrameColor(color);
    context->drawLine(needlePoint(angleRad, fromRadius), needlePoint(angleRad, toRadius));
}
