#include "controls/CQORCalibrationControl.h"

#include "controls/ThreeStep.h"
#include "toolkit/CBitmap.h"

#include <array>

namespace VSTGUI {
namespace {
// Right ends of the G, S and I letter zones, in the container's coordinates.
constexpr std::array<CCoord, 3> kZoneEnds{14, 26, 38};
}

CQORCalibrationControl::CQORCalibrationControl(const CRect& size, CControlListener* listener, int32_t tag,
                                               CBitmap* background)
    : CControl(size, listener, tag, background)
{
}

int32_t CQORCalibrationControl::position() const { return threestep::position(value); }

void CQORCalibrationControl::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, CPoint(0, position() * size.getHeight()));
    setDirty(false);
}

CMouseEventResult CQORCalibrationControl::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    int32_t selected = position();
    for (std::size_t zone = 0; zone < kZoneEnds.size(); ++zone) {
        if (where.x < kZoneEnds[zone]) {
            selected = static_cast<int32_t>(zone);
            break;
        }
    }
    value = static_cast<float>(selected) * threestep::kStep;
    // One complete edit for the host, as every control's change.
    beginEdit();
    valueChanged();
    endEdit();
    invalid();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CQORCalibrationControl::onWheel(const CPoint&, const float& distance, const CButtonState&)
{
    const float next = threestep::wheelTarget(value, distance, vmin, vmax);
    if (next != value) {
        value = next;
        beginEdit();
        valueChanged();
        endEdit();
        invalid();
    }
    return true;
}

}  // namespace VSTGUI
