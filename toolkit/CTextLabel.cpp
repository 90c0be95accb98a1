#include "toolkit/CTextLabel.h"

namespace VSTGUI {

CTextLabel::CTextLabel(const CRect& size, const char* txt, CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style), text(txt ? txt : "")
{
}

void CTextLabel::setText(const char* txt)
{
    const std::string newText(txt ? txt : "");
    if (newText == text)
        return;
    text = newText;
    setDirty(true);
}

void CTextLabel::draw(CDrawContext* context)
{
    drawBack(context);
    drawText(context, text.c_str());
    setDirty(false);
}

}  // namespace VSTGUI
