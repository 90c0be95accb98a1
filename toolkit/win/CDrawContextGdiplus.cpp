#include "toolkit/CDrawContext.h"

#include "toolkit/CBitmap.h"
#include "toolkit/PixelBuffer.h"
#include "toolkit/win/GdiplusSession.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

constexpr Gdiplus::REAL kDashLengthPx = 3.0f;

bool isOddWidth(CCoord width)
{
    const double rounded = std::round(width);
    return std::fabs(width - rounded) < 1e-9 && static_cast<long>(rounded) % 2 == 1;
}

Gdiplus::Color toGdiplus(const CColor& color, float globalAlpha)
{
    const auto alpha = static_cast<BYTE>(std::lround(color.alpha * globalAlpha));
    return Gdiplus::Color(alpha, color.red, color.green, color.blue);
}

Gdiplus::Graphics* graphicsFor(PixelBuffer& target)
{
    if (!target.isValid() || !ensureGdiplus())
        return nullptr;
    auto* graphics = new Gdiplus::Graphics(target.getSurface());
    // Pixel centres at integer + 0.5, as cairo places them.
    graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    return graphics;
}

}  // namespace

CDrawContext::CDrawContext(PixelBuffer& target, double scale)
    : graphics(graphicsFor(target)),
      scale(scale > 0 ? scale : 1.0),
      surfaceRect(0, 0, target.getWidth() / this->scale, target.getHeight() / this->scale)
{
    if (graphics && this->scale != 1.0)
        graphics->ScaleTransform(static_cast<Gdiplus::REAL>(this->scale), static_cast<Gdiplus::REAL>(this->scale));
    state.deviceClip = surfaceRect;
    state.font.reset(defaultFont());
}

CDrawContext::~CDrawContext()
{
    delete graphics;
}

void CDrawContext::beginPlatformDrawing()
{
    if (!graphics)
        return;
    savedGraphics = graphics->Save();
    const CRect& c = state.deviceClip;
    graphics->SetClip(Gdiplus::RectF(static_cast<Gdiplus::REAL>(c.left), static_cast<Gdiplus::REAL>(c.top),
                                     static_cast<Gdiplus::REAL>(c.getWidth()),
                                     static_cast<Gdiplus::REAL>(c.getHeight())));
    graphics->SetSmoothingMode(state.drawMode == kAntiAliasing ? Gdiplus::SmoothingModeAntiAlias
                                                               : Gdiplus::SmoothingModeNone);
}

void CDrawContext::endPlatformDrawing()
{
    if (graphics)
        graphics->Restore(savedGraphics);
}

void CDrawContext::strokeLine(const CPoint& start, const CPoint& end)
{
    if (!graphics || state.frameColor.alpha == 0 || state.globalAlpha <= 0.f || state.lineWidth <= 0)
        return;
    // A hard-edged line of odd width must sit on pixel centres to stay sharp.
    const double half = (state.drawMode == kAliasing && isOddWidth(state.lineWidth)) ? 0.5 : 0.0;
    beginPlatformDrawing();
    Gdiplus::Pen pen(toGdiplus(state.frameColor, state.globalAlpha), static_cast<Gdiplus::REAL>(state.lineWidth));
    if (state.lineStyle == kLineOnOffDash) {
        // GDI+ measures dashes in line widths.
        const Gdiplus::REAL dash = kDashLengthPx / static_cast<Gdiplus::REAL>(state.lineWidth);
        const Gdiplus::REAL pattern[] = {dash, dash};
        pen.SetDashPattern(pattern, 2);
    }
    graphics->DrawLine(&pen, static_cast<Gdiplus::REAL>(start.x + state.offset.x + half),
                       static_cast<Gdiplus::REAL>(start.y + state.offset.y + half),
                       static_cast<Gdiplus::REAL>(end.x + state.offset.x + half),
                       static_cast<Gdiplus::REAL>(end.y + state.offset.y + half));
    endPlatformDrawing();
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    if (!graphics || state.globalAlpha <= 0.f)
        return;
    CRect r(rect);
    r.normalize();
    r.offset(state.offset);
    beginPlatformDrawing();
    if (style != kDrawStroked && state.fillColor.alpha != 0) {
        Gdiplus::SolidBrush brush(toGdiplus(state.fillColor, state.globalAlpha));
        graphics->FillRectangle(&brush, static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                                static_cast<Gdiplus::REAL>(r.getWidth()), static_cast<Gdiplus::REAL>(r.getHeight()));
    }
    if (style != kDrawFilled && state.frameColor.alpha != 0 && state.lineWidth > 0) {
        // The stroke stays inside the rectangle, as a frame around a view does.
        const double half = state.lineWidth / 2;
        Gdiplus::Pen pen(toGdiplus(state.frameColor, state.globalAlpha), static_cast<Gdiplus::REAL>(state.lineWidth));
        graphics->DrawRectangle(&pen, static_cast<Gdiplus::REAL>(r.left + half), static_cast<Gdiplus::REAL>(r.top + half),
                                static_cast<Gdiplus::REAL>(r.getWidth() - state.lineWidth),
                                static_cast<Gdiplus::REAL>(r.getHeight() - state.lineWidth));
    }
    endPlatformDrawing();
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
    if (!graphics || !bitmap || !bitmap->isLoaded())
        return;
    const float effectiveAlpha = std::clamp(alpha, 0.f, 1.f) * state.globalAlpha;
    if (effectiveAlpha <= 0.f)
        return;
    CRect d(dest);
    d.normalize();
    d.offset(state.offset);
    beginPlatformDrawing();
    // Only the destination rectangle of the source shows, unscaled.
    const Gdiplus::Rect target(static_cast<INT>(std::lround(d.left)), static_cast<INT>(std::lround(d.top)),
                               static_cast<INT>(std::lround(d.getWidth())),
                               static_cast<INT>(std::lround(d.getHeight())));
    // The image drawn for twice the size on dense screens: its source
    // rectangle is twice as large, filtered down at 1.5x.
    const PixelBuffer* doubleSize = scale > 1.0 ? bitmap->getDoubleSizePixels() : nullptr;
    const INT sourceScale = doubleSize ? 2 : 1;
    graphics->SetInterpolationMode(scale == 1.0 || scale == 2.0 ? Gdiplus::InterpolationModeNearestNeighbor
                                                                : Gdiplus::InterpolationModeHighQualityBilinear);
    Gdiplus::ImageAttributes attributes;
    Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, effectiveAlpha, 0},
                                    {0, 0, 0, 0, 1}}};
    if (effectiveAlpha < 1.f)
        attributes.SetColorMatrix(&matrix);
    graphics->DrawImage(doubleSize ? doubleSize->getSurface() : bitmap->getPixels().getSurface(), target,
                        sourceScale * static_cast<INT>(std::lround(offset.x)),
                        sourceScale * static_cast<INT>(std::lround(offset.y)), sourceScale * target.Width,
                        sourceScale * target.Height, Gdiplus::UnitPixel,
                        effectiveAlpha < 1.f ? &attributes : nullptr);
    endPlatformDrawing();
}

}  // namespace VSTGUI
