#include "controls/CFrontReferenceControl.h"

#include "controls/ControlLayout.h"
#include "controls/PanelPalette.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"

#include <cstring>

namespace VSTGUI {

CFrontReferenceControl::CFrontReferenceControl(const CRect& size, CControlListener* listener, int32_t tag,
                                               CBitmap* background)
    : CAnimKnob4(size, listener, tag, 1, size.getHeight(), background), font(defaultFont())
{
}

void CFrontReferenceControl::setText(const char* newText)
{
    if (!newText)
        newText = "";
    std::strncpy(text.data(), newText, kTextCapacity - 1);
    text[kTextCapacity - 1] = '\0';
    setDirty(true);
}

void CFrontReferenceControl::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, CPoint(0, 0));
    if (font) {
        context->setFont(font.get());
        context->setFontColor(palette::kValueText);
        const CRect textRect(size.left + controllayout::kReferenceTextInsetLeft, size.top,
                             size.right - controllayout::kReferenceTextInsetRight, size.bottom);
        context->drawString(text.data(), textRect, kCenterText, true);
    }
    setDirty(false);
}

CMouseEventResult CFrontReferenceControl::onMouseEntered(CPoint&, const CButtonState&)
{
    showHint(tag, 0.f);
    return kMouseEventHandled;
}

CMouseEventResult CFrontReferenceControl::onMouseExited(CPoint&, const CButtonState&)
{
    clearHint();
    return kMouseEventHandled;
}

}  // namespace VSTGUI
