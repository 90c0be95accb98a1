#include "controls/CQORMeterSelectorControl.h"

#include "controls/ThreeStep.h"
#include "controls/ControlLayout.h"
#include "toolkit/CBitmap.h"

namespace VSTGUI {
namespace {
constexpr CCoord kArrowWidth = controllayout::kMeterSelectorArrowWidth;
}

CQORMeterSelectorControl::CQORMeterSelectorControl(const CRect& size, CControlListener* listener,
                                                   CBitmap* background)
    : CControl(size, listener, kTag, background),
      backPanelButton(new CQOROnOffButton(size, listener, kBackPanelTag, background)),
      leftBoundary(static_cast<int32_t>(size.left + kArrowWidth)),
      rightBoundary(static_cast<int32_t>(size.right - kArrowWidth))
{
    backPanelButton->setValue(1.f);
}

CQORMeterSelectorControl::CQORMeterSelectorControl(const CQORMeterSelectorControl& other)
    : CControl(other),
      CQORHintControl(other),
      backPanelButton(new CQOROnOffButton(*other.backPanelButton)),
      leftBoundary(other.leftBoundary),
      rightBoundary(other.rightBoundary),
      hoverZone(other.hoverZone)
{
}

int32_t CQORMeterSelectorControl::frameIndex() const
{
    switch (hoverZone) {
    case kLeftZone:
        return 1;
    case kRightZone:
        return 2;
    default:
        return 0;
    }
}

void CQORMeterSelectorControl::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, CPoint(0, frameIndex() * size.getHeight()));
    setDirty(false);
}

int32_t CQORMeterSelectorControl::zoneAt(const CPoint& where) const
{
    if (where.x <= leftBoundary)
        return kLeftZone;
    if (where.x >= rightBoundary)
        return kRightZone;
    return kMiddleZone;
}

CMouseEventResult CQORMeterSelectorControl::onMouseMoved(CPoint& where, const CButtonState&)
{
    hoverZone = zoneAt(where);
    setDirty(true);
    showHint(kTag, value, &hoverZone);
    return kMouseEventHandled;
}

CMouseEventResult CQORMeterSelectorControl::onMouseExited(CPoint&, const CButtonState&)
{
    hoverZone = kMiddleZone;
    setDirty(true);
    showHint(kTag, value, &hoverZone);
    return kMouseEventHandled;
}

CMouseEventResult CQORMeterSelectorControl::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    // The zone under the press decides, even when no hover move came first.
    hoverZone = zoneAt(where);
    int32_t position = threestep::position(value);
    if (hoverZone == kLeftZone) {
        position = position == 0 ? threestep::kPositions - 1 : position - 1;
    } else if (hoverZone == kRightZone) {
        position = position == threestep::kPositions - 1 ? 0 : position + 1;
    } else {
        if (listener)
            listener->valueChanged(backPanelButton.get());
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    value = static_cast<float>(position) * threestep::kStep;
    bounceValue();
    // One complete edit for the host, as every control's change.
    beginEdit();
    valueChanged();
    endEdit();
    invalid();
    showHint(kTag, value, &hoverZone);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CQORMeterSelectorControl::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    const float next = threestep::wheelTarget(value, distance, vmin, vmax);
    if (next != value) {
        value = next;
        beginEdit();
        valueChanged();
        endEdit();
        invalid();
    }
    showHint(kTag, value, &hoverZone);
    return true;
}

}  // namespace VSTGUI
