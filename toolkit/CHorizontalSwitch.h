#pragma once

// A switch with n positions side by side: the bitmap stacks one image per
// position vertically, and its width is divided into n click zones.

#include "toolkit/CControl.h"

namespace VSTGUI {

class CHorizontalSwitch : public CControl, public IMultiBitmapControl {
public:
    CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                      const CPoint& offset = CPoint(0, 0));
    CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                      CCoord heightOfOneImage, int32_t iMaxPositions, CBitmap* background,
                      const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;

    const char* getClassName() const override { return "CHorizontalSwitch"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CHorizontalSwitch") == 0 || CControl::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CHorizontalSwitch(*this); }

protected:
    CPoint offset;
    double coef = 0;
};

}  // namespace VSTGUI
