#include "toolkit/EmbeddedFont.h"

#include "toolkit/CDrawContext.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace VSTGUI {

// The FreeType face over the bytes and the cairo face drawing it.
struct EmbeddedFont::Face {
    FT_Library library = nullptr;
    FT_Face ftFace = nullptr;
    cairo_font_face_t* cairoFace = nullptr;
    cairo_scaled_font_t* scaled = nullptr;

    ~Face()
    {
        if (scaled)
            cairo_scaled_font_destroy(scaled);
        if (cairoFace)
            cairo_font_face_destroy(cairoFace);  // closes ftFace when cairo lets go of it
        else if (ftFace)
            FT_Done_Face(ftFace);
        // cairo may keep the FreeType face in its caches; the library stays
        // open for the rest of the process so that face can still close.
    }

    bool open(const unsigned char* bytes, std::size_t size, double sizePx)
    {
        if (!bytes || size == 0 || !(sizePx > 0))
            return false;
        // One library for every face, started once whichever thread asks first.
        static const FT_Library sharedLibrary = [] {
            FT_Library started = nullptr;
            return FT_Init_FreeType(&started) == 0 ? started : nullptr;
        }();
        library = sharedLibrary;
        if (!library || FT_New_Memory_Face(library, bytes, static_cast<FT_Long>(size), 0, &ftFace) != 0) {
            ftFace = nullptr;
            return false;
        }
        cairoFace = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
        static cairo_user_data_key_t closeKey;
        if (cairo_font_face_set_user_data(cairoFace, &closeKey, ftFace,
                                          [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); }) !=
            CAIRO_STATUS_SUCCESS) {
            cairo_font_face_destroy(cairoFace);
            cairoFace = nullptr;
            FT_Done_Face(ftFace);
            ftFace = nullptr;
            return false;
        }
        cairo_matrix_t fontMatrix;
        cairo_matrix_init_scale(&fontMatrix, sizePx, sizePx);
        cairo_matrix_t identity;
        cairo_matrix_init_identity(&identity);
        scaled = cairo_scaled_font_create(cairoFace, &fontMatrix, &identity, options(true));
        return cairo_scaled_font_status(scaled) == CAIRO_STATUS_SUCCESS;
    }

    // Unrounded advances: a string's width is the same at every position and
    // on every machine. Light hinting keeps small stems crisp.
    static const cairo_font_options_t* options(bool antialias)
    {
        static cairo_font_options_t* const smooth = make(CAIRO_ANTIALIAS_GRAY);
        static cairo_font_options_t* const sharp = make(CAIRO_ANTIALIAS_NONE);
        return antialias ? smooth : sharp;
    }

    static cairo_font_options_t* make(cairo_antialias_t antialias)
    {
        cairo_font_options_t* o = cairo_font_options_create();
        cairo_font_options_set_antialias(o, antialias);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
        return o;
    }
};

EmbeddedFont::EmbeddedFont(const unsigned char* fileBytes, std::size_t fileSize, double sizePx)
    : face(std::make_unique<Face>()), sizePx(sizePx)
{
    if (!face->open(fileBytes, fileSize, sizePx)) {
        face.reset();
        return;
    }
    cairo_font_extents_t fontExtents{};
    cairo_scaled_font_extents(face->scaled, &fontExtents);
    ascent = fontExtents.ascent;
    descent = fontExtents.descent;
    leading = fontExtents.height - fontExtents.ascent - fontExtents.descent;
    cairo_text_extents_t capExtents{};
    cairo_scaled_font_text_extents(face->scaled, "H", &capExtents);
    capHeight = -capExtents.y_bearing;
}

EmbeddedFont::~EmbeddedFont() = default;

void EmbeddedFont::drawString(CDrawContext* context, const char* utf8, const CPoint& point, bool antialias)
{
    if (!face || !context || !utf8 || !*utf8)
        return;
    const CColor color = context->getFontColor();
    const double alpha = color.alpha / 255.0 * context->getGlobalAlpha();
    if (alpha <= 0)
        return;
    cairo_t* cr = context->getCairoContext();
    context->beginCairoDrawing();
    cairo_set_font_face(cr, face->cairoFace);
    cairo_set_font_size(cr, sizePx);
    cairo_set_font_options(cr, Face::options(antialias));
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0, alpha);
    const CPoint& offset = context->getOffset();
    cairo_move_to(cr, point.x + offset.x, point.y + offset.y);
    cairo_show_text(cr, utf8);
    context->endCairoDrawing();
}

CCoord EmbeddedFont::getStringWidth(CDrawContext*, const char* utf8, bool)
{
    if (!face || !utf8 || !*utf8)
        return 0;
    cairo_text_extents_t extents{};
    cairo_scaled_font_text_extents(face->scaled, utf8, &extents);
    return extents.x_advance;
}

}  // namespace VSTGUI
