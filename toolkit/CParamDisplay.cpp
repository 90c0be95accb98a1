#include "toolkit/CParamDisplay.h"

#include "toolkit/CBitmap.h"

#include <cstdio>

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32_t style)
    : CControl(size, nullptr, 0, background), style(style), fontID(defaultFont())
{
    fontID->remember();
}

CParamDisplay::CParamDisplay(const CParamDisplay& other)
    : CControl(other),
      valueToString(other.valueToString),
      valueToStringUserData(other.valueToStringUserData),
      horiTxtAlign(other.horiTxtAlign),
      style(other.style),
      valuePrecision(other.valuePrecision),
      fontID(other.fontID),
      fontColor(other.fontColor),
      backColor(other.backColor),
      frameColor(other.frameColor),
      shadowColor(other.shadowColor),
      textInset(other.textInset),
      bAntialias(other.bAntialias)
{
    fontID->remember();
}

CParamDisplay::~CParamDisplay() { fontID->forget(); }

void CParamDisplay::setFont(CFontRef newFont)
{
    if (!newFont)
        return;
    newFont->remember();
    fontID->forget();
    fontID = newFont;
    setDirty(true);
}

void CParamDisplay::setFontColor(const CColor& color)
{
    fontColor = color;
    setDirty(true);
}

void CParamDisplay::setBackColor(const CColor& color)
{
    backColor = color;
    setDirty(true);
}

void CParamDisplay::setFrameColor(const CColor& color)
{
    frameColor = color;
    setDirty(true);
}

void CParamDisplay::setStyle(int32_t val)
{
    style = val;
    setDirty(true);
}

void CParamDisplay::setValueToStringProc(CParamDisplayValueToStringProc proc, void* userData)
{
    valueToString = proc;
    valueToStringUserData = userData;
}

void CParamDisplay::draw(CDrawContext* context)
{
    if (style & kNoDrawStyle) {
        setDirty(false);
        return;
    }
    char string[256] = {};
    if (!valueToString || !valueToString(value, string, valueToStringUserData))
        std::snprintf(string, sizeof string, "%.*f", static_cast<int>(valuePrecision), static_cast<double>(value));
    drawBack(context);
    drawText(context, string);
    setDirty(false);
}

void CParamDisplay::drawBack(CDrawContext* context, CBitmap* newBack)
{
    if (CBitmap* bitmap = newBack ? newBack : getDrawBackground()) {
        bitmap->draw(context, size, backOffset);
        return;
    }
    if (getTransparency())
        return;
    context->setFillColor(backColor);
    context->drawRect(size, kDrawFilled);
    if (!(style & (k3DIn | k3DOut | kNoFrame))) {
        context->setLineWidth(1);
        context->setFrameColor(frameColor);
        context->drawRect(size, kDrawStroked);
    }
}

void CParamDisplay::drawText(CDrawContext* context, const char* string)
{
    if ((style & kNoTextStyle) || !string || !*string)
        return;
    CRect textRect(size);
    textRect.inset(textInset.x, textInset.y);
    const CRect oldClip = context->getClipRect();
    CRect clip(textRect);
    context->setClipRect(clip.bound(oldClip));
    context->setFont(fontID);
    if (style & kShadowText) {
        CRect shadowRect(textRect);
        shadowRect.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(string, shadowRect, horiTxtAlign, bAntialias);
    }
    context->setFontColor(fontColor);
    context->drawString(string, textRect, horiTxtAlign, bAntialias);
    context->setClipRect(oldClip);
}

}  // namespace VSTGUI
