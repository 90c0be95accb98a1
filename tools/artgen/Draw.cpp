#include "Draw.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace artgen {
namespace {

constexpr const char* kCaptionFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
constexpr const char* kLabelFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf";
constexpr const char* kLegendFont = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";

struct FontSet {
    FT_Library library = nullptr;
    std::array<FT_Face, 4> ftFaces{};
    std::array<cairo_font_face_t*, 4> faces{};
};

FontSet& fonts()
{
    static FontSet set;
    return set;
}

cairo_font_face_t* faceFor(Face face)
{
    cairo_font_face_t* f = fonts().faces[static_cast<int>(face)];
    if (f == nullptr)
        throw std::runtime_error("fonts not loaded");
    return f;
}

void applyStyle(cairo_t* cr, const TextStyle& style)
{
    cairo_set_font_face(cr, faceFor(style.face));
    cairo_set_font_size(cr, style.sizePx);
    cairo_font_options_t* options = cairo_font_options_create();
    // Small print on a 96-dpi screen: grey anti-aliasing with light hinting
    // keeps the stems crisp without distorting the shapes. Advances stay
    // unrounded: rounding each one spaces letters unevenly ("OV ER").
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// The whole string's glyphs from the pen position (x, y), with the tracking
// added after every character; the caller owns the returned array.
struct GlyphRun {
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    double advance = 0.0;  // tracking included, none after the last character
    GlyphRun() = default;
    GlyphRun(const GlyphRun&) = delete;
    GlyphRun& operator=(const GlyphRun&) = delete;
    ~GlyphRun() { cairo_glyph_free(glyphs); }
};

void layOut(cairo_t* cr, const std::string& text, double x, double y, double trackingPx, GlyphRun& run)
{
    if (text.empty())
        return;
    cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
    if (cairo_scaled_font_text_to_glyphs(font, x, y, text.c_str(), static_cast<int>(text.size()), &run.glyphs,
                                         &run.count, nullptr, nullptr, nullptr) != CAIRO_STATUS_SUCCESS) {
        run.glyphs = nullptr;
        run.count = 0;
        return;
    }
    // Each glyph starts on the whole pixel nearest its exact pen position:
    // crisp stems at small sizes, and the spacing errs by under half a pixel
    // instead of adding up rounded advances.
    for (int i = 0; i < run.count; ++i)
        run.glyphs[i].x = std::round(run.glyphs[i].x + trackingPx * i);
    // The pen's end: the last glyph's origin plus its own advance.
    cairo_text_extents_t last;
    cairo_scaled_font_glyph_extents(font, &run.glyphs[run.count - 1], 1, &last);
    run.advance = run.glyphs[run.count - 1].x + last.x_advance - x;
}

// xorshift: the same noise on every machine, unlike the standard distributions.
struct Noise {
    std::uint32_t state;
    explicit Noise(unsigned seed) : state(seed * 2654435761U + 1U) {}
    double next()  // -1..1
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state & 0xFFFF) / 32767.5 - 1.0;
    }
};

}  // namespace

void loadFonts(const std::string& tapeFontPath)
{
    FontSet& set = fonts();
    if (set.library != nullptr)
        return;
    if (FT_Init_FreeType(&set.library) != 0)
        throw std::runtime_error("FreeType did not start");
    const std::array<std::string, 4> paths{kCaptionFont, kLabelFont, kLegendFont, tapeFontPath};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (FT_New_Face(set.library, paths[i].c_str(), 0, &set.ftFaces[i]) != 0)
            throw std::runtime_error("cannot open font " + paths[i]);
        set.faces[i] = cairo_ft_font_face_create_for_ft_face(set.ftFaces[i], 0);
        static cairo_user_data_key_t closeKey;
        cairo_font_face_set_user_data(set.faces[i], &closeKey, set.ftFaces[i],
                                      [](void* face) { FT_Done_Face(static_cast<FT_Face>(face)); });
    }
}

void releaseFonts()
{
    FontSet& set = fonts();
    // cairo may keep a face alive in its caches after our reference is gone,
    // so each FreeType face is closed by cairo itself when it lets go.
    for (cairo_font_face_t*& face : set.faces) {
        if (face != nullptr)
            cairo_font_face_destroy(face);
        face = nullptr;
    }
    set.ftFaces = {};
}

double textWidth(cairo_t* cr, const std::string& text, const TextStyle& style)
{
    cairo_save(cr);
    applyStyle(cr, style);
    GlyphRun run;
    layOut(cr, text, 0.0, 0.0, style.trackingPx, run);
    cairo_restore(cr);
    return run.advance;
}

double capHeight(cairo_t* cr, const TextStyle& style)
{
    cairo_save(cr);
    applyStyle(cr, style);
    cairo_text_extents_t e;
    cairo_text_extents(cr, "H", &e);
    cairo_restore(cr);
    return -e.y_bearing;
}

void drawText(cairo_t* cr, const std::string& text, double x, double baselineY, const TextStyle& style)
{
    const double width = textWidth(cr, text, style);
    double penX = x;
    if (style.align == Align::centre)
        penX = x - width / 2.0;
    else if (style.align == Align::right)
        penX = x - width;
    cairo_save(cr);
    applyStyle(cr, style);
    setColour(cr, style.colour, style.alpha);
    GlyphRun run;
    layOut(cr, text, penX, baselineY, style.trackingPx, run);
    if (run.count > 0)
        cairo_show_glyphs(cr, run.glyphs, run.count);
    cairo_restore(cr);
}

void drawTextCentred(cairo_t* cr, const std::string& text, double cx, double cy, TextStyle style)
{
    style.align = Align::centre;
    drawText(cr, text, cx, std::round(cy + capHeight(cr, style) / 2.0), style);
}

void drawEngraved(cairo_t* cr, const std::string& text, double x, double baselineY, const TextStyle& style)
{
    TextStyle shadow = style;
    shadow.colour = palette::kEngraveShadow;
    shadow.alpha = 0.85 * style.alpha;
    drawText(cr, text, x, baselineY + 1.0, shadow);
    drawText(cr, text, x, baselineY, style);
}

void drawEngravedCentred(cairo_t* cr, const std::string& text, double cx, double cy, TextStyle style)
{
    style.align = Align::centre;
    drawEngraved(cr, text, cx, std::round(cy + capHeight(cr, style) / 2.0), style);
}

void setColour(cairo_t* cr, const Rgb& c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

Rgb mix(const Rgb& a, const Rgb& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(const Rgb& c, double factor)
{
    return {std::min(1.0, c.r * factor), std::min(1.0, c.g * factor), std::min(1.0, c.b * factor)};
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    const double r = std::min(radius, std::min(w, h) / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2.0, 0.0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0.0, M_PI / 2.0);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2.0, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void fillGradient(cairo_t* cr, double x, double y, double w, double h, const Rgb& top, const Rgb& bottom)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(p, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

namespace {
int pixelScale = 1;
}  // namespace

void setPixelScale(int scale) { pixelScale = std::max(1, scale); }

namespace {

// Every channel of an opaque pixel moved by `delta` levels, kept in range.
std::uint32_t shifted(std::uint32_t p, int delta)
{
    auto channel = [&](int shift) {
        const int v = static_cast<int>((p >> shift) & 0xFF) + delta;
        return static_cast<std::uint32_t>(std::clamp(v, 0, 255)) << shift;
    };
    return (p & 0xFF000000U) | channel(16) | channel(8) | channel(0);
}

// Calls rowFn(pixels, firstCol, endCol) for each row of the rectangle (in
// image units, scaled to the surface's pixels) that lies on the surface.
template <class RowFn>
void eachRow(cairo_surface_t* surface, int x, int y, int w, int h, RowFn rowFn)
{
    x *= pixelScale;
    y *= pixelScale;
    w *= pixelScale;
    h *= pixelScale;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    for (int row = std::max(0, y); row < std::min(height, y + h); ++row)
        rowFn(reinterpret_cast<std::uint32_t*>(data + row * stride), std::max(0, x), std::min(width, x + w));
    cairo_surface_mark_dirty(surface);
}

}  // namespace

void brush(cairo_surface_t* surface, int x, int y, int w, int h, unsigned seed, double levels)
{
    Noise noise(seed);
    eachRow(surface, x, y, w, h, [&](std::uint32_t* px, int firstCol, int endCol) {
        // A brushed line: one offset for the row, varied along long streaks so
        // the grain reads as metal and never as stripes.
        const double rowOffset = noise.next() * levels * 0.5;
        double streak = 0.0;
        int streakLeft = 0;
        for (int col = firstCol; col < endCol; ++col) {
            if (streakLeft-- <= 0) {
                streak = noise.next() * levels * 0.5;
                streakLeft = 24 + static_cast<int>((noise.next() + 1.0) * 60.0);
            }
            const int delta = static_cast<int>(std::lround(rowOffset + streak));
            if ((px[col] >> 24) != 255)
                continue;  // only opaque metal is brushed
            px[col] = shifted(px[col], delta);
        }
    });
}

void speckle(cairo_surface_t* surface, int x, int y, int w, int h, unsigned seed, double minLuma, double levels)
{
    Noise noise(seed);
    const int threshold = static_cast<int>(minLuma * 255.0);
    eachRow(surface, x, y, w, h, [&](std::uint32_t* px, int firstCol, int endCol) {
        for (int col = firstCol; col < endCol; ++col) {
            const int delta = static_cast<int>(std::lround(noise.next() * levels * 0.5));
            const std::uint32_t p = px[col];
            const int luma = static_cast<int>(((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10;
            if ((p >> 24) != 255 || luma < threshold)
                continue;
            px[col] = shifted(p, delta);
        }
    });
}

void raisedEdge(cairo_t* cr, double x, double y, double w, double h)
{
    cairo_set_line_width(cr, 1.0);
    setColour(cr, palette::kEdgeHighlight);
    cairo_move_to(cr, x + 0.5, y + h - 0.5);
    cairo_line_to(cr, x + 0.5, y + 0.5);
    cairo_line_to(cr, x + w - 0.5, y + 0.5);
    cairo_stroke(cr);
    setColour(cr, palette::kEdgeShadow);
    cairo_move_to(cr, x + w - 0.5, y + 0.5);
    cairo_line_to(cr, x + w - 0.5, y + h - 0.5);
    cairo_line_to(cr, x + 0.5, y + h - 0.5);
    cairo_stroke(cr);
}

void recess(cairo_t* cr, double x, double y, double w, double h, int depth)
{
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i < depth; ++i) {
        const double t = static_cast<double>(i) / std::max(1, depth);
        const double x0 = x + i + 0.5;
        const double y0 = y + i + 0.5;
        const double x1 = x + w - i - 0.5;
        const double y1 = y + h - i - 0.5;
        // The lit lower lip and the shaded upper wall of a milled opening.
        setColour(cr, mix(palette::kEdgeShadow, hex(0x060607), t), 1.0);
        cairo_move_to(cr, x0, y1);
        cairo_line_to(cr, x0, y0);
        cairo_line_to(cr, x1, y0);
        cairo_stroke(cr);
        setColour(cr, mix(palette::kEdgeHighlight, hex(0x2A2C2F), t), 1.0);
        cairo_move_to(cr, x1, y0);
        cairo_line_to(cr, x1, y1);
        cairo_line_to(cr, x0, y1);
        cairo_stroke(cr);
    }
}

void groove(cairo_t* cr, double x0, double x1, double y)
{
    cairo_set_line_width(cr, 1.0);
    setColour(cr, palette::kEdgeShadow);
    cairo_move_to(cr, x0, y + 0.5);
    cairo_line_to(cr, x1, y + 0.5);
    cairo_stroke(cr);
    setColour(cr, palette::kEdgeHighlight, 0.8);
    cairo_move_to(cr, x0, y + 1.5);
    cairo_line_to(cr, x1, y + 1.5);
    cairo_stroke(cr);
}

void displayWell(cairo_t* cr, double x, double y, double w, double h)
{
    roundedRect(cr, x, y, w, h, 2.0);
    setColour(cr, palette::kDisplayWell);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.0);
    setColour(cr, palette::kEdgeShadow);
    cairo_move_to(cr, x + 1.0, y + 0.5);
    cairo_line_to(cr, x + w - 1.0, y + 0.5);
    cairo_stroke(cr);
    setColour(cr, palette::kEdgeHighlight, 0.6);
    cairo_move_to(cr, x + 1.0, y + h - 0.5);
    cairo_line_to(cr, x + w - 1.0, y + h - 0.5);
    cairo_stroke(cr);
}

void led(cairo_t* cr, double cx, double cy, double r, const Rgb& colour, double brightness, bool glow)
{
    if (glow) {
        cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, r * 0.5, cx, cy, r * 2.4);
        cairo_pattern_add_color_stop_rgba(halo, 0.0, colour.r, colour.g, colour.b, 0.55);
        cairo_pattern_add_color_stop_rgba(halo, 1.0, colour.r, colour.g, colour.b, 0.0);
        cairo_arc(cr, cx, cy, r * 2.4, 0, 2 * M_PI);
        cairo_set_source(cr, halo);
        cairo_fill(cr);
        cairo_pattern_destroy(halo);
    }
    // Bezel.
    cairo_arc(cr, cx, cy, r + 1.2, 0, 2 * M_PI);
    setColour(cr, hex(0x0A0A0B));
    cairo_fill(cr);
    const Rgb body = mix(palette::kLedOff, colour, brightness);
    cairo_pattern_t* lens = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, r * 0.1, cx, cy, r);
    const Rgb hot = mix(body, hex(0xFFFFFF), 0.55 * brightness + 0.08);
    cairo_pattern_add_color_stop_rgb(lens, 0.0, hot.r, hot.g, hot.b);
    cairo_pattern_add_color_stop_rgb(lens, 0.6, body.r, body.g, body.b);
    const Rgb rim = scale(body, 0.55);
    cairo_pattern_add_color_stop_rgb(lens, 1.0, rim.r, rim.g, rim.b);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, lens);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);
}

}  // namespace artgen
