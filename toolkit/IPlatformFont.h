#pragma once

// The platform side of a font: metrics and a painter that draws and measures
// UTF-8 text in a draw context. The system faces come from cairo; a font
// loaded from a file plugs in by implementing these two interfaces and
// handing the object to its CFontDesc.

#include "toolkit/CBaseObject.h"
#include "toolkit/CPoint.h"

namespace VSTGUI {

class CDrawContext;

class IFontPainter {
public:
    virtual ~IFontPainter() = default;
    // `point` is the left end of the baseline in the context's coordinates.
    virtual void drawString(CDrawContext* context, const char* utf8, const CPoint& point, bool antialias = true) = 0;
    // `context` may be null.
    virtual CCoord getStringWidth(CDrawContext* context, const char* utf8, bool antialias = true) = 0;
};

class IPlatformFont : public CBaseObject {
public:
    // Metrics in pixels; negative when unknown.
    virtual double getAscent() const = 0;
    virtual double getDescent() const = 0;
    virtual double getLeading() const = 0;
    virtual double getCapHeight() const = 0;
    virtual IFontPainter* getPainter() = 0;
};

}  // namespace VSTGUI
