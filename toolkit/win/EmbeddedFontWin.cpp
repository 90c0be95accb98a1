#include "toolkit/EmbeddedFont.h"

#include "platform/win/WideText.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/win/GdiplusSession.h"

#include <windows.h>
#include <gdiplus.h>

#include <string>

namespace VSTGUI {

// A private collection holding only the face read from memory; nothing is
// installed or registered with the system.
struct EmbeddedFont::Face {
    Gdiplus::PrivateFontCollection collection;
    std::unique_ptr<Gdiplus::FontFamily> family;
    std::unique_ptr<Gdiplus::Font> font;

    bool open(const unsigned char* bytes, std::size_t size, double sizePx)
    {
        if (!bytes || size == 0 || !(sizePx > 0) || !ensureGdiplus())
            return false;
        if (collection.AddMemoryFont(bytes, static_cast<INT>(size)) != Gdiplus::Ok ||
            collection.GetFamilyCount() < 1)
            return false;
        family = std::make_unique<Gdiplus::FontFamily>();
        INT found = 0;
        if (collection.GetFamilies(1, family.get(), &found) != Gdiplus::Ok || found < 1)
            return false;
        font = std::make_unique<Gdiplus::Font>(family.get(), static_cast<Gdiplus::REAL>(sizePx),
                                               Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        return font->GetLastStatus() == Gdiplus::Ok;
    }
};

namespace {

// Measuring needs a graphics even when the caller has none.
Gdiplus::Graphics* scratchGraphics()
{
    static Gdiplus::Bitmap* bitmap = new Gdiplus::Bitmap(1, 1, PixelFormat32bppPARGB);
    static Gdiplus::Graphics* graphics = new Gdiplus::Graphics(bitmap);
    return graphics;
}

}  // namespace

EmbeddedFont::EmbeddedFont(const unsigned char* fileBytes, std::size_t fileSize, double sizePx)
    : face(std::make_unique<Face>()), sizePx(sizePx)
{
    if (!face->open(fileBytes, fileSize, sizePx)) {
        face.reset();
        return;
    }
    const double em = face->family->GetEmHeight(Gdiplus::FontStyleRegular);
    ascent = sizePx * face->family->GetCellAscent(Gdiplus::FontStyleRegular) / em;
    descent = sizePx * face->family->GetCellDescent(Gdiplus::FontStyleRegular) / em;
    leading = sizePx * face->family->GetLineSpacing(Gdiplus::FontStyleRegular) / em - ascent - descent;
    // GDI+ has no cap height; the face's capitals take 1409 of its 2048 units.
    capHeight = sizePx * 1409.0 / 2048.0;
}

EmbeddedFont::~EmbeddedFont() = default;

void EmbeddedFont::drawString(CDrawContext* context, const char* utf8, const CPoint& point, bool antialias)
{
    if (!face || !context || !utf8 || !*utf8 || !context->getGraphics())
        return;
    const CColor color = context->getFontColor();
    const double alpha = color.alpha * context->getGlobalAlpha();
    if (alpha <= 0)
        return;
    const std::wstring text = platform::toWide(utf8);
    Gdiplus::Graphics* graphics = context->getGraphics();
    context->beginPlatformDrawing();
    graphics->SetTextRenderingHint(antialias ? Gdiplus::TextRenderingHintAntiAlias
                                             : Gdiplus::TextRenderingHintSingleBitPerPixelGridFit);
    Gdiplus::SolidBrush brush(Gdiplus::Color(static_cast<BYTE>(alpha), color.red, color.green, color.blue));
    const CPoint& offset = context->getOffset();
    // GDI+ places text by the top of its cell; the caller gives the baseline.
    const Gdiplus::PointF origin(static_cast<Gdiplus::REAL>(point.x + offset.x),
                                 static_cast<Gdiplus::REAL>(point.y + offset.y - ascent));
    graphics->DrawString(text.c_str(), static_cast<INT>(text.size()), face->font.get(), origin,
                         Gdiplus::StringFormat::GenericTypographic(), &brush);
    context->endPlatformDrawing();
}

CCoord EmbeddedFont::getStringWidth(CDrawContext* context, const char* utf8, bool)
{
    if (!face || !utf8 || !*utf8)
        return 0;
    Gdiplus::Graphics* graphics = context && context->getGraphics() ? context->getGraphics() : scratchGraphics();
    const std::wstring text = platform::toWide(utf8);
    Gdiplus::RectF bounds;
    graphics->MeasureString(text.c_str(), static_cast<INT>(text.size()), face->font.get(), Gdiplus::PointF(0, 0),
                            Gdiplus::StringFormat::GenericTypographic(), &bounds);
    return bounds.Width;
}

}  // namespace VSTGUI
