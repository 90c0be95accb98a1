#include "controls/CMyTextEdit.h"

namespace VSTGUI {

CMyTextEdit::CMyTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* txt,
                         CBitmap* panelImage, bool useControlFont)
    : CQORTextEdit(size, listener, tag, txt, panelImage, nullptr, useControlFont)
{
    setBackOffset(CPoint(size.left, size.top));
}

void CMyTextEdit::setViewSize(const CRect& rect, bool invalid)
{
    CQORTextEdit::setViewSize(rect, invalid);
    setBackOffset(CPoint(rect.left, rect.top));
}

CMouseEventResult CMyTextEditAH::onMouseEntered(CPoint&, const CButtonState&)
{
    if (isActive())
        clearHint();
    else
        showHint(tag, 0.f);
    return kMouseEventHandled;
}

CMouseEventResult CMyTextEditAH::onMouseExited(CPoint&, const CButtonState&)
{
    clearHint();
    return kMouseEventHandled;
}

CMouseEventResult CMyTextEditAH::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!isActive())
        return kMouseEventHandled;
    return CMyTextEdit::onMouseDown(where, buttons);
}

}  // namespace VSTGUI
