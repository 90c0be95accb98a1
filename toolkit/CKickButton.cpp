#include "toolkit/CKickButton.h"

#include "toolkit/CBitmap.h"

namespace VSTGUI {

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                         const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset)
{
    heightOfOneImage = size.getHeight();
}

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                         CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset)
{
    this->heightOfOneImage = heightOfOneImage;
}

void CKickButton::draw(CDrawContext* context)
{
    CPoint where(offset);
    bounceValue();
    if (value == vmax)
        where.y += heightOfOneImage;
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, where);
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&)
{
    if (!isEditing())
        return kMouseEventHandled;
    if (value != vmin)
        valueChanged();
    value = vmin;
    valueChanged();
    if (isDirty())
        invalid();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!isEditing() || !(buttons & kLButton))
        return kMouseEventNotHandled;
    value = size.pointInside(where) ? vmax : vmin;
    if (isDirty())
        invalid();
    return kMouseEventHandled;
}

}  // namespace VSTGUI
