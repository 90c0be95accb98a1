#include "toolkit/SystemFont.h"

#include "platform/win/WideText.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFontDesc.h"
#include "toolkit/win/GdiplusSession.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>

namespace VSTGUI {

namespace {

constexpr const wchar_t* kFallbackFamily = L"Arial";

int gdiplusStyle(bool bold, bool italic, bool underline)
{
    return (bold ? Gdiplus::FontStyleBold : 0) | (italic ? Gdiplus::FontStyleItalic : 0) |
           (underline ? Gdiplus::FontStyleUnderline : 0);
}

// The named family, else a sans-serif face every Windows has ("Sans" names
// no Windows family), else the face a Linux desktop running the host under
// wine offers in their place.
std::unique_ptr<Gdiplus::FontFamily> familyFor(const std::string& family)
{
    const std::wstring name = platform::toWide(family);
    const wchar_t* const candidates[] = {name.c_str(), kFallbackFamily, L"Tahoma", L"Microsoft Sans Serif",
                                         L"DejaVu Sans"};
    for (const wchar_t* candidate : candidates) {
        if (!*candidate)
            continue;
        auto found = std::make_unique<Gdiplus::FontFamily>(candidate);
        if (found->GetLastStatus() == Gdiplus::Ok && found->IsAvailable())
            return found;
    }
    return nullptr;
}

std::unique_ptr<Gdiplus::Font> makeFont(const std::string& family, double size, int style)
{
    if (!ensureGdiplus())
        return nullptr;
    const auto fontFamily = familyFor(family);
    if (!fontFamily)
        return nullptr;
    // A face without the asked style is drawn in its regular one.
    const int available = fontFamily->IsStyleAvailable(style) ? style : Gdiplus::FontStyleRegular;
    auto font = std::make_unique<Gdiplus::Font>(fontFamily.get(), static_cast<Gdiplus::REAL>(size), available,
                                                Gdiplus::UnitPixel);
    return font->GetLastStatus() == Gdiplus::Ok ? std::move(font) : nullptr;
}

// Measuring needs a graphics even when the caller has none.
Gdiplus::Graphics* scratchGraphics()
{
    static Gdiplus::Bitmap* bitmap = new Gdiplus::Bitmap(1, 1, PixelFormat32bppPARGB);
    static Gdiplus::Graphics* graphics = new Gdiplus::Graphics(bitmap);
    return graphics;
}

}  // namespace

SystemFont::SystemFont(const std::string& family, double size, int32_t style)
    : family(family),
      size(size > 0 ? size : 12.0),
      bold((style & kBoldFace) != 0),
      italic((style & kItalicFace) != 0),
      underline((style & kUnderlineFace) != 0)
{
    const auto font = makeFont(family, this->size, gdiplusStyle(bold, italic, false));
    if (!font)
        return;
    Gdiplus::FontFamily fontFamily;
    font->GetFamily(&fontFamily);
    const int fontStyle = font->GetStyle();
    const double em = fontFamily.GetEmHeight(fontStyle);
    ascent = this->size * fontFamily.GetCellAscent(fontStyle) / em;
    descent = this->size * fontFamily.GetCellDescent(fontStyle) / em;
    leading = this->size * fontFamily.GetLineSpacing(fontStyle) / em - ascent - descent;
    // GDI+ has no cap height; a Latin face's capitals take about 70% of its em.
    capHeight = this->size * 0.7;
}

void SystemFont::drawString(CDrawContext* context, const char* utf8, const CPoint& point, bool antialias)
{
    if (!context || !utf8 || !*utf8 || !context->getGraphics())
        return;
    const CColor color = context->getFontColor();
    const double alpha = color.alpha * context->getGlobalAlpha();
    if (alpha <= 0)
        return;
    const auto font = makeFont(family, size, gdiplusStyle(bold, italic, underline));
    if (!font)
        return;
    const std::wstring text = platform::toWide(utf8);
    Gdiplus::Graphics* graphics = context->getGraphics();
    context->beginPlatformDrawing();
    graphics->SetTextRenderingHint(antialias ? Gdiplus::TextRenderingHintAntiAlias
                                             : Gdiplus::TextRenderingHintSingleBitPerPixelGridFit);
    Gdiplus::SolidBrush brush(
        Gdiplus::Color(static_cast<BYTE>(alpha), color.red, color.green, color.blue));
    const CPoint& offset = context->getOffset();
    // GDI+ places text by the top of its cell; the caller gives the baseline.
    const Gdiplus::PointF origin(static_cast<Gdiplus::REAL>(point.x + offset.x),
                                 static_cast<Gdiplus::REAL>(point.y + offset.y - ascent));
    graphics->DrawString(text.c_str(), static_cast<INT>(text.size()), font.get(), origin,
                         Gdiplus::StringFormat::GenericTypographic(), &brush);
    context->endPlatformDrawing();
}

CCoord SystemFont::getStringWidth(CDrawContext* context, const char* utf8, bool)
{
    if (!utf8 || !*utf8)
        return 0;
    const auto font = makeFont(family, size, gdiplusStyle(bold, italic, false));
    if (!font)
        return 0;
    Gdiplus::Graphics* graphics = context && context->getGraphics() ? context->getGraphics() : scratchGraphics();
    const std::wstring text = platform::toWide(utf8);
    Gdiplus::RectF bounds;
    graphics->MeasureString(text.c_str(), static_cast<INT>(text.size()), font.get(), Gdiplus::PointF(0, 0),
                            Gdiplus::StringFormat::GenericTypographic(), &bounds);
    return bounds.Width;
}

}  // namespace VSTGUI
