#pragma once

// Drawing on an image with cairo (GDI+ on Windows): lines, rectangles, bitmaps and text, with a
// clip rectangle, a translation (views draw in their parent's coordinates) and
// a global alpha that multiplies everything drawn.

#include "toolkit/CBaseObject.h"
#include "toolkit/CColor.h"
#include "toolkit/CFontDesc.h"
#include "toolkit/CRect.h"

#include <vector>

#ifdef _WIN32
namespace Gdiplus {
class Graphics;
}
#else
typedef struct _cairo cairo_t;
#endif

namespace VSTGUI {

class CBitmap;
class PixelBuffer;

enum CLineStyle { kLineSolid = 0, kLineOnOffDash };
enum CDrawMode { kAliasing = 0, kAntiAliasing = 1 };
enum CDrawStyle { kDrawStroked = 0, kDrawFilled, kDrawFilledAndStroked };
enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

class CDrawContext : public CBaseObject {
public:
    // Draws into `target`, which must outlive the context. With a scale
    // other than 1 the views keep drawing in their own coordinates and every
    // one of them covers `scale` pixels of the target each way.
    explicit CDrawContext(PixelBuffer& target, double scale = 1.0);
    ~CDrawContext() override;
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    void setLineStyle(CLineStyle style) { state.lineStyle = style; }
    CLineStyle getLineStyle() const { return state.lineStyle; }
    void setLineWidth(CCoord width) { state.lineWidth = width; }
    CCoord getLineWidth() const { return state.lineWidth; }
    void setDrawMode(CDrawMode mode) { state.drawMode = mode; }
    CDrawMode getDrawMode() const { return state.drawMode; }
    void setFrameColor(const CColor& color) { state.frameColor = color; }
    CColor getFrameColor() const { return state.frameColor; }
    void setFillColor(const CColor& color) { state.fillColor = color; }
    CColor getFillColor() const { return state.fillColor; }
    void setFontColor(const CColor& color) { state.fontColor = color; }
    CColor getFontColor() const { return state.fontColor; }
    // A size other than 0 or a style other than -1 draws with a copy of `font` changed so.
    void setFont(CFontRef font, const CCoord& size = 0, const int32_t& style = -1);
    CFontRef getFont() const { return state.font.get(); }
    void setGlobalAlpha(float alpha);
    float getGlobalAlpha() const { return state.globalAlpha; }

    void saveGlobalState();
    void restoreGlobalState();

    // Clip and offset: the clip rectangle is given in the current coordinates.
    void setClipRect(const CRect& clip);
    CRect& getClipRect(CRect& clip) const;
    CRect getClipRect() const;
    void resetClipRect();
    void setOffset(const CPoint& offset) { state.offset = offset; }
    const CPoint& getOffset() const { return state.offset; }

    void moveTo(const CPoint& point) { penPosition = point; }
    void lineTo(const CPoint& point);
    void drawLine(const CPoint& start, const CPoint& end);
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(0, 0), float alpha = 1.f);
    // Text in the current font and font colour: in a rectangle, vertically
    // centred on the font's cap height; or from a baseline point.
    void drawString(const char* utf8, const CRect& rect, CHoriTxtAlign hAlign = kCenterText, bool antialias = true);
    void drawString(const char* utf8, const CPoint& baseline, bool antialias = true);
    CCoord getStringWidth(const char* utf8);
    // Device pixels per view pixel.
    double getScale() const { return scale; }

#ifdef _WIN32
    // For platform font painters that draw with GDI+ themselves.
    Gdiplus::Graphics* getGraphics() const { return graphics; }
    // Applies the clip and the draw mode to the graphics inside a save/restore pair.
    void beginPlatformDrawing();
    void endPlatformDrawing();
#else
    // For platform font painters that draw with cairo themselves.
    cairo_t* getCairoContext() const { return cr; }
    // Applies the clip to the cairo context inside a save/restore pair.
    void beginCairoDrawing();
    void endCairoDrawing();
#endif

private:
    struct State {
        CLineStyle lineStyle = kLineSolid;
        CCoord lineWidth = 1;
        CDrawMode drawMode = kAliasing;
        CColor frameColor = kBlackCColor;
        CColor fillColor = kWhiteCColor;
        CColor fontColor = kWhiteCColor;
        SharedPointer<CFontDesc> font;
        float globalAlpha = 1.f;
        CRect deviceClip;
        CPoint offset;
    };

    void strokeLine(const CPoint& start, const CPoint& end);

#ifdef _WIN32
    Gdiplus::Graphics* graphics;
    unsigned savedGraphics = 0;  // the GDI+ state of beginPlatformDrawing
#else
    void setSourceColor(const CColor& color);
    cairo_t* cr;
#endif
    double scale;
    CRect surfaceRect;
    State state;
    std::vector<State> savedStates;
    CPoint penPosition;
};

}  // namespace VSTGUI
