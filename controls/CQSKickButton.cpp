#include "controls/CQSKickButton.h"

#include "toolkit/CBitmap.h"

using namespace VSTGUI;

CQSKickButton::CQSKickButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                             const CPoint& offset)
    : CKickButton(size, listener, tag, background, offset)
{
}

CQSKickButton::CQSKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                             CBitmap* background, const CPoint& offset)
    : CKickButton(size, listener, tag, heightOfOneImage, background, offset)
{
}

CQSKickButton::Image CQSKickButton::currentImage() const
{
    if (pressed)
        return kImagePressed;
    return hover ? kImageHover : kImageNormal;
}

void CQSKickButton::draw(CDrawContext* context)
{
    CBitmap* bitmap = getDrawBackground();
    if (!bitmap)
        return;
    const CPoint source(offset.x, currentImage() * heightOfOneImage + offset.y);
    bitmap->draw(context, size, source, 1.f);
    setDirty(false);
}

CMouseEventResult CQSKickButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    pressed = true;
    value = 1.f;
    if (listener)
        listener->valueChanged(this);
    invalid();
    return kMouseEventHandled;
}

CMouseEventResult CQSKickButton::onMouseUp(CPoint&, const CButtonState&)
{
    value = 0.f;
    pressed = false;
    invalid();
    return kMouseEventHandled;
}

CMouseEventResult CQSKickButton::onMouseEntered(CPoint&, const CButtonState&)
{
    hover = true;
    invalid();
    return kMouseEventHandled;
}

CMouseEventResult CQSKickButton::onMouseExited(CPoint&, const CButtonState&)
{
    hover = false;
    invalid();
    return kMouseEventHandled;
}
