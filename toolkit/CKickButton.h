#pragma once

// A push button: shows its second image while pressed with the mouse over it,
// and reports the maximum on press and the minimum on release.

#include "toolkit/CControl.h"

namespace VSTGUI {

class CKickButton : public CControl, public IMultiBitmapControl {
public:
    CKickButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                const CPoint& offset = CPoint(0, 0));
    CKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;

    const char* getClassName() const override { return "CKickButton"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CKickButton") == 0 || CControl::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CKickButton(*this); }

protected:
    CPoint offset;
};

}  // namespace VSTGUI
