#include "controls/QORCoreTextFont.h"

#include "platform/win/WideText.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFontDesc.h"
#include "toolkit/win/GdiplusSession.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>

using namespace VSTGUI;

namespace {

int gdiplusStyle(QORCoreTextFont::Style style)
{
    switch (style) {
    case QORCoreTextFont::kBold:
        return Gdiplus::FontStyleBold;
    case QORCoreTextFont::kItalic:
        return Gdiplus::FontStyleItalic;
    case QORCoreTextFont::kUnderline:
        return Gdiplus::FontStyleUnderline;
    default:
        return Gdiplus::FontStyleRegular;
    }
}

// Measuring needs a graphics even when the caller has none.
Gdiplus::Graphics* scratchGraphics()
{
    static Gdiplus::Bitmap* bitmap = new Gdiplus::Bitmap(1, 1, PixelFormat32bppPARGB);
    static Gdiplus::Graphics* graphics = new Gdiplus::Graphics(bitmap);
    return graphics;
}

}  // namespace

// The font file loaded privately (nothing is installed for other programs)
// and the face's design metrics, in font units.
struct QORCoreTextFont::Face {
    Gdiplus::PrivateFontCollection collection;
    std::unique_ptr<Gdiplus::FontFamily> family;
    std::unique_ptr<Gdiplus::Font> font;
    double unitsPerEm = 0;
    double cellAscent = 0;
    double cellDescent = 0;
    double lineSpacing = 0;

    bool open(const std::string& path, double emSizePx, int fontStyle)
    {
        const std::wstring file = platform::toWide(path);
        if (file.empty() || collection.AddFontFile(file.c_str()) != Gdiplus::Ok || collection.GetFamilyCount() < 1)
            return false;
        family = std::make_unique<Gdiplus::FontFamily>();
        int found = 0;
        if (collection.GetFamilies(1, family.get(), &found) != Gdiplus::Ok || found != 1)
            return false;
        // A face without the asked style is drawn in its regular one.
        const int style = family->IsStyleAvailable(fontStyle) ? fontStyle : Gdiplus::FontStyleRegular;
        unitsPerEm = family->GetEmHeight(style);
        cellAscent = family->GetCellAscent(style);
        cellDescent = family->GetCellDescent(style);
        lineSpacing = std::max<double>(family->GetLineSpacing(style), cellAscent + cellDescent);
        font = std::make_unique<Gdiplus::Font>(family.get(), static_cast<Gdiplus::REAL>(emSizePx), style,
                                               Gdiplus::UnitPixel);
        return unitsPerEm > 0 && font->GetLastStatus() == Gdiplus::Ok;
    }
};

QORCoreTextFont::QORCoreTextFont(const std::string& fontPath, double size, int32_t styleFlags)
    : path(fontPath.substr(0, kMaxPathCharacters)), size(size), style(styleFromFlags(styleFlags))
{
}

QORCoreTextFont::~QORCoreTextFont() = default;

QORCoreTextFont::Style QORCoreTextFont::styleFromFlags(int32_t styleFlags)
{
    Style chosen = kRegular;
    if (styleFlags & kBoldFace)
        chosen = kBold;
    if (styleFlags & kItalicFace)
        chosen = kItalic;
    if (styleFlags & kUnderlineFace)
        chosen = kUnderline;
    return chosen;
}

QORCoreTextFont::Face* QORCoreTextFont::ensureFace()
{
    if (loadTried)
        return face.get();
    loadTried = true;
    if (getEmSizePt() <= 0 || !ensureGdiplus())
        return nullptr;
    auto opened = std::make_unique<Face>();
    if (opened->open(path, getEmSizePx(), gdiplusStyle(style)))
        face = std::move(opened);
    return face.get();
}

double QORCoreTextFont::getAscent() const
{
    return face ? getEmSizePt() * face->cellAscent / face->unitsPerEm : -1.0;
}

double QORCoreTextFont::getDescent() const
{
    return face ? getEmSizePt() * face->cellDescent / face->unitsPerEm : -1.0;
}

double QORCoreTextFont::getLeading() const
{
    return face ? getEmSizePt() * face->lineSpacing / face->unitsPerEm : -1.0;
}

double QORCoreTextFont::getHeightPx() const
{
    return face ? getEmSizePx() * face->lineSpacing / face->unitsPerEm : -1.0;
}

void QORCoreTextFont::drawString(CDrawContext* context, const char* utf8, const CPoint& point, bool antialias)
{
    Face* loaded = ensureFace();
    if (!context || !utf8 || !*utf8 || !loaded || !context->getGraphics())
        return;
    const CColor color = context->getFontColor();
    const double alpha = color.alpha * context->getGlobalAlpha();
    if (alpha <= 0)
        return;
    const CPoint& offset = context->getOffset();
    const std::wstring text = platform::toWide(utf8);
    Gdiplus::Graphics* graphics = context->getGraphics();
    context->beginPlatformDrawing();
    graphics->SetTextRenderingHint(antialias ? Gdiplus::TextRenderingHintAntiAlias
                                             : Gdiplus::TextRenderingHintSingleBitPerPixelGridFit);
    Gdiplus::SolidBrush brush(Gdiplus::Color(static_cast<BYTE>(alpha), color.red, color.green, color.blue));
    // GDI+ places text by the top of its cell.
    const Gdiplus::PointF cellTop(static_cast<Gdiplus::REAL>(point.x + offset.x),
                                  static_cast<Gdiplus::REAL>(point.y + offset.y + 1 - getHeightPx()));
    graphics->DrawString(text.c_str(), static_cast<INT>(text.size()), loaded->font.get(), cellTop,
                         Gdiplus::StringFormat::GenericTypographic(), &brush);
    context->endPlatformDrawing();
}

CCoord QORCoreTextFont::getStringWidth(CDrawContext* context, const char* utf8, bool)
{
    Face* loaded = ensureFace();
    if (!utf8 || !*utf8 || !loaded)
        return 0.0;
    Gdiplus::Graphics* graphics = context && context->getGraphics() ? context->getGraphics() : scratchGraphics();
    const std::wstring text = platform::toWide(utf8);
    Gdiplus::RectF bounds;
    graphics->MeasureString(text.c_str(), static_cast<INT>(text.size()), loaded->font.get(), Gdiplus::PointF(0, 0),
                            Gdiplus::StringFormat::GenericTypographic(), &bounds);
    return bounds.Width;
}
