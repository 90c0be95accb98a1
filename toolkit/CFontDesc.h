#pragma once

// A font by name, size and style. Its platform font is made on first use
// from the name (a system face); a subclass may supply its own instead.

#include "toolkit/CBaseObject.h"
#include "toolkit/CPoint.h"
#include "toolkit/IPlatformFont.h"

#include <string>

namespace VSTGUI {

enum CTxtFace : int32_t {
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
    kUnderlineFace = 1 << 3,
    kStrikethroughFace = 1 << 4,
};

class CFontDesc : public CBaseObject {
public:
    CFontDesc(const char* name = nullptr, const CCoord& size = 0, int32_t style = 0);
    CFontDesc(const CFontDesc& other);
    ~CFontDesc() override;
    CFontDesc& operator=(const CFontDesc&) = delete;

    const char* getName() const { return name.c_str(); }
    CCoord getSize() const { return size; }
    int32_t getStyle() const { return style; }
    virtual void setSize(CCoord newSize);
    virtual void setStyle(int32_t newStyle);

    virtual IPlatformFont* getPlatformFont();
    IFontPainter* getFontPainter();
    // Takes a reference to `font` and uses it from now on.
    void setPlatformFont(IPlatformFont* font);

    const char* getClassName() const override { return "CFontDesc"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CFontDesc") == 0 || CBaseObject::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CFontDesc(*this); }

protected:
    void freePlatformFont();
    // The platform font made or set so far; null before first use.
    IPlatformFont* currentPlatformFont() const { return platformFont; }

private:
    std::string name;
    CCoord size;
    int32_t style;
    IPlatformFont* platformFont = nullptr;
};

using CFontRef = CFontDesc*;

// The font a text view uses until it is given another: a sans face of 12 px.
CFontRef defaultFont();

}  // namespace VSTGUI
