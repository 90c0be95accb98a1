#include "toolkit/CDrawContext.h"

#include "toolkit/CBitmap.h"
#include "toolkit/PixelBuffer.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

constexpr double kDashLengthPx = 3.0;

bool isOddWidth(CCoord width)
{
    const double rounded = std::round(width);
    return std::fabs(width - rounded) < 1e-9 && static_cast<long>(rounded) % 2 == 1;
}

}  // namespace

CDrawContext::CDrawContext(PixelBuffer& target, double scale)
    : cr(cairo_create(target.getSurface())),
      scale(scale > 0 ? scale : 1.0),
      surfaceRect(0, 0, target.getWidth() / this->scale, target.getHeight() / this->scale)
{
    if (this->scale != 1.0)
        cairo_scale(cr, this->scale, this->scale);
    state.deviceClip = surfaceRect;
    state.font.reset(defaultFont());
}

CDrawContext::~CDrawContext() { cairo_destroy(cr); }

void CDrawContext::beginCairoDrawing()
{
    cairo_save(cr);
    const CRect& c = state.deviceClip;
    cairo_rectangle(cr, c.left, c.top, c.getWidth(), c.getHeight());
    cairo_clip(cr);
    cairo_set_antialias(cr, state.drawMode == kAntiAliasing ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void CDrawContext::endCairoDrawing() { cairo_restore(cr); }

void CDrawContext::setSourceColor(const CColor& color)
{
    cairo_set_source_rgba(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                          color.alpha / 255.0 * state.globalAlpha);
}

void CDrawContext::strokeLine(const CPoint& start, const CPoint& end)
{
    if (state.frameColor.alpha == 0 || state.globalAlpha <= 0.f || state.lineWidth <= 0)
        return;
    // A hard-edged line of odd width must sit on pixel centres to stay sharp.
    const double half = (state.drawMode == kAliasing && isOddWidth(state.lineWidth)) ? 0.5 : 0.0;
    beginCairoDrawing();
    setSourceColor(state.frameColor);
    cairo_set_line_width(cr, state.lineWidth);
    if (state.lineStyle == kLineOnOffDash) {
        const double dash = kDashLengthPx;
        cairo_set_dash(cr, &dash, 1, 0);
    }
    cairo_move_to(cr, start.x + state.offset.x + half, start.y + state.offset.y + half);
    cairo_line_to(cr, end.x + state.offset.x + half, end.y + state.offset.y + half);
    cairo_stroke(cr);
    endCairoDrawing();
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    if (state.globalAlpha <= 0.f)
        return;
    CRect r(rect);
    r.normalize();
    r.offset(state.offset);
    beginCairoDrawing();
    if (style != kDrawStroked && state.fillColor.alpha != 0) {
        setSourceColor(state.fillColor);
        cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
        cairo_fill(cr);
    }
    if (style != kDrawFilled && state.frameColor.alpha != 0 && state.lineWidth > 0) {
        // The stroke stays inside the rectangle, as a frame around a view does.
        const double half = state.lineWidth / 2;
        setSourceColor(state.frameColor);
        cairo_set_line_width(cr, state.lineWidth);
        cairo_rectangle(cr, r.left + half, r.top + half, r.getWidth() - state.lineWidth,
                        r.getHeight() - state.lineWidth);
        cairo_stroke(cr);
    }
    endCairoDrawing();
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
    if (!bitmap || !bitmap->isLoaded())
        return;
    const float effectiveAlpha = std::clamp(alpha, 0.f, 1.f) * state.globalAlpha;
    if (effectiveAlpha <= 0.f)
        return;
    CRect d(dest);
    d.normalize();
    d.offset(state.offset);
    beginCairoDrawing();
    cairo_rectangle(cr, d.left, d.top, d.getWidth(), d.getHeight());
    cairo_clip(cr);
    const PixelBuffer* doubleSize = scale > 1.0 ? bitmap->getDoubleSizePixels() : nullptr;
    if (doubleSize) {
        // The image drawn for twice the size: pixel for pixel at 2x, filtered down at 1.5x.
        cairo_translate(cr, d.left - offset.x, d.top - offset.y);
        cairo_scale(cr, 0.5, 0.5);
        cairo_set_source_surface(cr, doubleSize->getSurface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), scale == 2.0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
    } else {
        cairo_set_source_surface(cr, bitmap->getPixels().getSurface(), d.left - offset.x, d.top - offset.y);
        cairo_pattern_set_filter(cairo_get_source(cr), scale == 1.0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
    }
    cairo_paint_with_alpha(cr, effectiveAlpha);
    endCairoDrawing();
}

}  // namespace VSTGUI
