#pragma once

// A face read from font file bytes held in memory (a TrueType file compiled
// into the library), so that text is measured and drawn the same on every
// machine whatever faces the system offers. Sizes are in pixels. Until the
// face can be opened the metrics are unknown (-1), nothing is drawn and every
// width is 0.

#include "toolkit/IPlatformFont.h"

#include <cstddef>
#include <memory>

namespace VSTGUI {

class EmbeddedFont : public IPlatformFont, public IFontPainter {
public:
    // The bytes must outlive the font (they are the library's own).
    EmbeddedFont(const unsigned char* fileBytes, std::size_t fileSize, double sizePx);
    ~EmbeddedFont() override;
    EmbeddedFont(const EmbeddedFont&) = delete;
    EmbeddedFont& operator=(const EmbeddedFont&) = delete;

    double getAscent() const override { return ascent; }
    double getDescent() const override { return descent; }
    double getLeading() const override { return leading; }
    double getCapHeight() const override { return capHeight; }
    IFontPainter* getPainter() override { return this; }

    void drawString(CDrawContext* context, const char* utf8, const CPoint& point, bool antialias = true) override;
    CCoord getStringWidth(CDrawContext* context, const char* utf8, bool antialias = true) override;

    bool isLoaded() const { return face != nullptr; }

private:
    struct Face;
    std::unique_ptr<Face> face;
    double sizePx;
    double ascent = -1;
    double descent = -1;
    double leading = -1;
    double capHeight = -1;
};

}  // namespace VSTGUI
