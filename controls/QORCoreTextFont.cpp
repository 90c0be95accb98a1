#include "controls/QORCoreTextFont.h"

#include "toolkit/CDrawContext.h"
#include "toolkit/CFontDesc.h"

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

using namespace VSTGUI;

namespace {

constexpr double kFixed26Dot6 = 64.0;
constexpr double kItalicShear = 0.2;
constexpr double kBoldStrengthEm = 1.0 / 24.0;
constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one UTF-8 sequence at `text`, advancing it; malformed bytes give
// the replacement character and move on by one byte.
char32_t nextCodePoint(const unsigned char*& text)
{
    const unsigned char lead = *text++;
    if (lead < 0x80)
        return lead;
    int continuation = 0;
    char32_t codePoint = 0;
    if ((lead & 0xE0) == 0xC0) {
        continuation = 1;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation = 2;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation = 3;
        codePoint = lead & 0x07;
    } else {
        return kReplacementCharacter;
    }
    for (int i = 0; i < continuation; ++i) {
        if ((*text & 0xC0) != 0x80)
            return kReplacementCharacter;
        codePoint = (codePoint << 6) | (*text++ & 0x3F);
    }
    return codePoint;
}

struct OutlinePen {
    cairo_t* cr;
    double originX;
    double originY;

    double x(const FT_Vector* v) const { return originX + v->x / kFixed26Dot6; }
    double y(const FT_Vector* v) const { return originY - v->y / kFixed26Dot6; }
};

int moveTo(const FT_Vector* to, void* user)
{
    auto* pen = static_cast<OutlinePen*>(user);
    cairo_close_path(pen->cr);
    cairo_move_to(pen->cr, pen->x(to), pen->y(to));
    return 0;
}

int lineTo(const FT_Vector* to, void* user)
{
    auto* pen = static_cast<OutlinePen*>(user);
    cairo_line_to(pen->cr, pen->x(to), pen->y(to));
    return 0;
}

// A quadratic segment as the cubic cairo draws.
int conicTo(const FT_Vector* control, const FT_Vector* to, void* user)
{
    auto* pen = static_cast<OutlinePen*>(user);
    double x0 = 0;
    double y0 = 0;
    cairo_get_current_point(pen->cr, &x0, &y0);
    const double cx = pen->x(control);
    const double cy = pen->y(control);
    const double x3 = pen->x(to);
    const double y3 = pen->y(to);
    cairo_curve_to(pen->cr, x0 + 2.0 / 3.0 * (cx - x0), y0 + 2.0 / 3.0 * (cy - y0), x3 + 2.0 / 3.0 * (cx - x3),
                   y3 + 2.0 / 3.0 * (cy - y3), x3, y3);
    return 0;
}

int cubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user)
{
    auto* pen = static_cast<OutlinePen*>(user);
    cairo_curve_to(pen->cr, pen->x(control1), pen->y(control1), pen->x(control2), pen->y(control2), pen->x(to),
                   pen->y(to));
    return 0;
}

constexpr FT_Outline_Funcs kOutlineFuncs{moveTo, lineTo, conicTo, cubicTo, 0, 0};

}  // namespace

// The open face and its design metrics, in font units.
struct QORCoreTextFont::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    double unitsPerEm = 0;
    double cellAscent = 0;
    double cellDescent = 0;
    double lineSpacing = 0;

    ~Face()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }

    bool open(const std::string& path, double emSizePt)
    {
        if (FT_Init_FreeType(&library) != 0) {
            library = nullptr;
            return false;
        }
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
            face = nullptr;
            return false;
        }
        if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0)
            return false;
        const auto charSize = static_cast<FT_F26Dot6>(std::lround(emSizePt * kFixed26Dot6));
        const auto dpi = static_cast<FT_UInt>(kScreenDpi);
        if (charSize <= 0 || FT_Set_Char_Size(face, 0, charSize, dpi, dpi) != 0)
            return false;
        unitsPerEm = face->units_per_EM;
        // The cell is the Windows ascent and descent where the face has them.
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
            cellAscent = os2->usWinAscent;
            cellDescent = os2->usWinDescent;
        } else {
            cellAscent = face->ascender;
            cellDescent = -face->descender;
        }
        lineSpacing = std::max<double>(face->height, cellAscent + cellDescent);
        return true;
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
    if (getEmSizePt() <= 0)
        return nullptr;
    auto opened = std::make_unique<Face>();
    if (opened->open(path, getEmSizePt()))
        face = std::move(opened);
    return face.get();
}

double QORCoreTextFont::getAscent() const { return face ? getEmSizePt() * face->cellAscent / face->unitsPerEm : -1.0; }

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

namespace {

// Walks the glyphs of `utf8` with the pen, loading each into the face's slot
// and calling visit(slot, penX) before advancing; answers the final pen x.
template <class Visit>
double layoutGlyphs(FT_Face face, const char* utf8, QORCoreTextFont::Style style, Visit&& visit)
{
    const bool kerning = FT_HAS_KERNING(face);
    FT_UInt previous = 0;
    double penX = 0;
    const auto* text = reinterpret_cast<const unsigned char*>(utf8);
    while (*text) {
        const FT_UInt index = FT_Get_Char_Index(face, nextCodePoint(text));
        if (kerning && previous && index) {
            FT_Vector delta{};
            if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &delta) == 0)
                penX += delta.x / kFixed26Dot6;
        }
        previous = index;
        if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP) != 0)
            continue;
        FT_GlyphSlot slot = face->glyph;
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE)
            continue;
        if (style == QORCoreTextFont::kBold) {
            const auto strength = static_cast<FT_Pos>(face->size->metrics.x_ppem * kBoldStrengthEm * kFixed26Dot6);
            FT_Outline_Embolden(&slot->outline, strength);
            slot->advance.x += strength;
        } else if (style == QORCoreTextFont::kItalic) {
            const FT_Matrix shear{0x10000, static_cast<FT_Fixed>(kItalicShear * 0x10000), 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
        visit(slot, penX);
        penX += slot->advance.x / kFixed26Dot6;
    }
    return penX;
}

}  // namespace

void QORCoreTextFont::drawString(CDrawContext* context, const char* utf8, const CPoint& point, bool antialias)
{
    Face* loaded = ensureFace();
    if (!context || !utf8 || !*utf8 || !loaded)
        return;
    const CColor color = context->getFontColor();
    const double alpha = color.alpha / 255.0 * context->getGlobalAlpha();
    if (alpha <= 0)
        return;
    const CPoint& offset = context->getOffset();
    const double x = point.x + offset.x;
    const double cellTop = point.y + offset.y + 1 - getHeightPx();
    const double baseline = cellTop + getEmSizePx() * loaded->cellAscent / loaded->unitsPerEm;

    cairo_t* cr = context->getCairoContext();
    context->beginCairoDrawing();
    cairo_set_antialias(cr, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0, alpha);
    cairo_new_path(cr);
    const double width = layoutGlyphs(loaded->face, utf8, style, [&](FT_GlyphSlot slot, double penX) {
        OutlinePen pen{cr, x + penX, baseline};
        FT_Outline_Decompose(&slot->outline, &kOutlineFuncs, &pen);
        cairo_close_path(cr);
    });
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    if (style == kUnderline) {
        const double scale = getEmSizePx() / loaded->unitsPerEm;
        const double thickness = std::max(1.0, loaded->face->underline_thickness * scale);
        const double lineY = baseline - loaded->face->underline_position * scale;
        cairo_rectangle(cr, x, lineY - thickness / 2, width, thickness);
        cairo_fill(cr);
    }
    context->endCairoDrawing();
}

CCoord QORCoreTextFont::getStringWidth(CDrawContext*, const char* utf8, bool)
{
    Face* loaded = ensureFace();
    if (!utf8 || !*utf8 || !loaded)
        return 0.0;
    return layoutGlyphs(loaded->face, utf8, style, [](FT_GlyphSlot, double) {});
}
