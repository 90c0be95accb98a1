#include "toolkit/CFontDesc.h"

#include "toolkit/SystemFont.h"

namespace VSTGUI {

CFontDesc::CFontDesc(const char* name, const CCoord& size, int32_t style)
    : name(name ? name : ""), size(size), style(style)
{
}

CFontDesc::CFontDesc(const CFontDesc& other) : CBaseObject(other), name(other.name), size(other.size), style(other.style)
{
}

CFontDesc::~CFontDesc() { freePlatformFont(); }

void CFontDesc::freePlatformFont()
{
    if (platformFont)
        platformFont->forget();
    platformFont = nullptr;
}

void CFontDesc::setSize(CCoord newSize)
{
    size = newSize;
    freePlatformFont();
}

void CFontDesc::setStyle(int32_t newStyle)
{
    style = newStyle;
    freePlatformFont();
}

IPlatformFont* CFontDesc::getPlatformFont()
{
    if (!platformFont)
        platformFont = new SystemFont(name, size, style);
    return platformFont;
}

IFontPainter* CFontDesc::getFontPainter()
{
    IPlatformFont* font = getPlatformFont();
    return font ? font->getPainter() : nullptr;
}

void CFontDesc::setPlatformFont(IPlatformFont* font)
{
    if (font)
        font->remember();
    freePlatformFont();
    platformFont = font;
}

CFontRef defaultFont()
{
    // Lives for the whole process, like the toolkit's own standard fonts.
    static CFontDesc* font = new CFontDesc("Sans", 12, kNormalFace);
    return font;
}

}  // namespace VSTGUI
