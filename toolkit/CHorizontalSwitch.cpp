#include "toolkit/CHorizontalSwitch.h"

#include "toolkit/CBitmap.h"

namespace VSTGUI {

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                                     CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset)
{
    heightOfOneImage = size.getHeight();
    subPixmaps = (background && heightOfOneImage > 0)
                     ? static_cast<int32_t>(background->getHeight() / heightOfOneImage)
                     : 0;
    setDefaultValue(0.f);
}

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                                     int32_t subPixmaps, CCoord heightOfOneImage, int32_t, CBitmap* background,
                                     const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset)
{
    this->subPixmaps = subPixmaps;
    this->heightOfOneImage = heightOfOneImage;
    setDefaultValue(0.f);
}

void CHorizontalSwitch::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground()) {
        const float norm = getValueNormalized();
        const CPoint where(0, heightOfOneImage * static_cast<int32_t>(norm * (getNumSubPixmaps() - 1) + 0.5f));
        bitmap->draw(context, size, where);
    }
    setDirty(false);
}

CMouseEventResult CHorizontalSwitch::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton) || getNumSubPixmaps() < 2)
        return kMouseEventNotHandled;
    const CCoord zoneWidth = getDrawBackground() ? getDrawBackground()->getWidth() : size.getWidth();
    coef = zoneWidth / getNumSubPixmaps();
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    return onMouseMoved(where, buttons);
}

CMouseEventResult CHorizontalSwitch::onMouseUp(CPoint&, const CButtonState&)
{
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CHorizontalSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!isEditing() || !(buttons & kLButton) || coef <= 0)
        return kMouseEventNotHandled;
    const float norm =
        static_cast<float>(static_cast<int32_t>((where.x - size.left) / coef)) / (getNumSubPixmaps() - 1);
    value = vmin + norm * getRange();
    bounceValue();
    if (isDirty()) {
        valueChanged();
        invalid();
    }
    return kMouseEventHandled;
}

}  // namespace VSTGUI
