#pragma once

// A display of one frame of a vertically stacked bitmap, chosen by the value
// (rounded to the nearest frame).

#include "toolkit/CControl.h"

namespace VSTGUI {

class CMovieBitmap : public CControl, public IMultiBitmapControl {
public:
    CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                 const CPoint& offset = CPoint(0, 0));
    CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                 CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;

    const char* getClassName() const override { return "CMovieBitmap"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CMovieBitmap") == 0 || CControl::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CMovieBitmap(*this); }

protected:
    CPoint offset;
};

}  // namespace VSTGUI
