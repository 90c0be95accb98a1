#include "toolkit/SystemFont.h"

#include "toolkit/CDrawContext.h"
#include "toolkit/CFontDesc.h"

#include <cairo.h>

namespace VSTGUI {

namespace {

constexpr const char* kFallbackFamily = "Sans";

void selectFace(cairo_t* cr, const std::string& family, double size, bool bold, bool italic, bool antialias)
{
    cairo_select_font_face(cr, family.empty() ? kFallbackFamily : family.c_str(),
                           italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// Measuring needs a cairo context even when the caller has none.
cairo_t* scratchContext()
{
    static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    static cairo_t* cr = cairo_create(surface);
    return cr;
}

}  // namespace

SystemFont::SystemFont(const std::string& family, double size, int32_t style)
    : family(family),
      size(size > 0 ? size : 12.0),
      bold((style & kBoldFace) != 0),
      italic((style & kItalicFace) != 0),
      underline((style & kUnderlineFace) != 0)
{
    cairo_t* cr = scratchContext();
    cairo_save(cr);
    selectFace(cr, family, this->size, bold, italic, true);
    cairo_font_extents_t fontExtents{};
    cairo_font_extents(cr, &fontExtents);
    ascent = fontExtents.ascent;
    descent = fontExtents.descent;
    leading = fontExtents.height - fontExtents.ascent - fontExtents.descent;
    cairo_text_extents_t capExtents{};
    cairo_text_extents(cr, "H", &capExtents);
    capHeight = -capExtents.y_bearing;
    cairo_restore(cr);
}

void SystemFont::drawString(CDrawContext* context, const char* utf8, const CPoint& point, bool antialias)
{
    if (!context || !utf8 || !*utf8)
        return;
    const CColor color = context->getFontColor();
    const double alpha = color.alpha / 255.0 * context->getGlobalAlpha();
    if (alpha <= 0)
        return;
    cairo_t* cr = context->getCairoContext();
    context->beginCairoDrawing();
    selectFace(cr, family, size, bold, italic, antialias);
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0, alpha);
    const CPoint& offset = context->getOffset();
    const double x = point.x + offset.x;
    const double y = point.y + offset.y;
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, utf8);
    if (underline) {
        cairo_text_extents_t extents{};
        cairo_text_extents(cr, utf8, &extents);
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, x, y + 1.5);
        cairo_line_to(cr, x + extents.x_advance, y + 1.5);
        cairo_stroke(cr);
    }
    context->endCairoDrawing();
}

CCoord SystemFont::getStringWidth(CDrawContext* context, const char* utf8, bool antialias)
{
    if (!utf8 || !*utf8)
        return 0;
    cairo_t* cr = context ? context->getCairoContext() : scratchContext();
    cairo_save(cr);
    selectFace(cr, family, size, bold, italic, antialias);
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, utf8, &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

}  // namespace VSTGUI
