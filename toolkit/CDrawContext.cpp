#include "toolkit/CDrawContext.h"

#include "toolkit/CBitmap.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

void CDrawContext::setFont(CFontRef font, const CCoord& size, const int32_t& style)
{
    if (!font || (size == 0 && style == -1)) {
        state.font.reset(font);
        return;
    }
    auto* copy = static_cast<CFontDesc*>(font->newCopy());
    if (!copy) {
        state.font.reset(font);
        return;
    }
    if (size != 0)
        copy->setSize(size);
    if (style != -1)
        copy->setStyle(style);
    state.font.reset(copy);
    copy->forget();
}

void CDrawContext::setGlobalAlpha(float alpha) { state.globalAlpha = std::clamp(alpha, 0.f, 1.f); }

void CDrawContext::saveGlobalState() { savedStates.push_back(state); }

void CDrawContext::restoreGlobalState()
{
    if (savedStates.empty())
        return;
    state = savedStates.back();
    savedStates.pop_back();
}

void CDrawContext::setClipRect(const CRect& clip)
{
    CRect device(clip);
    device.offset(state.offset);
    state.deviceClip = device.bound(surfaceRect);
}

CRect& CDrawContext::getClipRect(CRect& clip) const
{
    clip = state.deviceClip;
    clip.offset(-state.offset.x, -state.offset.y);
    return clip;
}

CRect CDrawContext::getClipRect() const
{
    CRect clip;
    return getClipRect(clip);
}

void CDrawContext::resetClipRect() { state.deviceClip = surfaceRect; }

void CDrawContext::lineTo(const CPoint& point)
{
    strokeLine(penPosition, point);
    penPosition = point;
}

void CDrawContext::drawLine(const CPoint& start, const CPoint& end)
{
    strokeLine(start, end);
    penPosition = end;
}

void CDrawContext::drawString(const char* utf8, const CRect& rect, CHoriTxtAlign hAlign, bool antialias)
{
    CFontDesc* font = state.font.get();
    if (!utf8 || !*utf8 || !font)
        return;
    IFontPainter* painter = font->getFontPainter();
    if (!painter)
        return;
    CRect textRect(rect);
    const double capHeight = font->getPlatformFont() ? font->getPlatformFont()->getCapHeight() : -1.0;
    if (capHeight > 0)
        textRect.bottom -= textRect.getHeight() / 2 - capHeight / 2;
    else
        textRect.bottom -= (textRect.getHeight() / 2 - font->getSize() / 2) + 1;
    if (hAlign != kLeftText) {
        const CCoord width = painter->getStringWidth(this, utf8, antialias);
        if (hAlign == kRightText)
            textRect.left = textRect.right - width;
        else
            textRect.left = std::floor(textRect.left + textRect.getWidth() / 2 - width / 2);
    }
    const CRect oldClip = getClipRect();
    CRect newClip(rect);
    setClipRect(newClip.bound(oldClip));
    painter->drawString(this, utf8, CPoint(textRect.left, textRect.bottom), antialias);
    setClipRect(oldClip);
}

void CDrawContext::drawString(const char* utf8, const CPoint& baseline, bool antialias)
{
    CFontDesc* font = state.font.get();
    if (!utf8 || !*utf8 || !font)
        return;
    if (IFontPainter* painter = font->getFontPainter())
        painter->drawString(this, utf8, baseline, antialias);
}

CCoord CDrawContext::getStringWidth(const char* utf8)
{
    CFontDesc* font = state.font.get();
    if (!utf8 || !font)
        return 0;
    IFontPainter* painter = font->getFontPainter();
    return painter ? painter->getStringWidth(this, utf8, true) : 0;
}

}  // namespace VSTGUI
