#pragma once

// A system face found by family name through cairo and fontconfig.

#include "toolkit/IPlatformFont.h"

#include <string>

namespace VSTGUI {

class SystemFont : public IPlatformFont, public IFontPainter {
public:
    SystemFont(const std::string& family, double size, int32_t style);

    double getAscent() const override { return ascent; }
    double getDescent() const override { return descent; }
    double getLeading() const override { return leading; }
    double getCapHeight() const override { return capHeight; }
    IFontPainter* getPainter() override { return this; }

    void drawString(CDrawContext* context, const char* utf8, const CPoint& point, bool antialias = true) override;
    CCoord getStringWidth(CDrawContext* context, const char* utf8, bool antialias = true) override;

private:
    std::string family;
    double size;
    bool bold;
    bool italic;
    bool underline;
    double ascent = -1;
    double descent = -1;
    double leading = -1;
    double capHeight = -1;
};

}  // namespace VSTGUI
