#include "toolkit/COnOffButton.h"

#include "toolkit/CBitmap.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                           int32_t style)
    : CControl(size, listener, tag, background), style(style)
{
}

void COnOffButton::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground()) {
        const CCoord offsetY = isOn() ? bitmap->getHeight() / 2 : 0;
        bitmap->draw(context, size, CPoint(0, offsetY));
    }
    setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    value = isOn() ? vmin : vmax;
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

}  // namespace VSTGUI
