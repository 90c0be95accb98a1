#pragma once

// A knob drawn from a film strip: the bitmap stacks its frames vertically
// and the value picks one. Setting the frame height replaces the frame
// count by what the bitmap holds, so every frame of the strip is used.

#include "toolkit/CKnob.h"

namespace VSTGUI {

class CAnimKnob : public CKnob, public IMultiBitmapControl {
public:
    CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
              const CPoint& offset = CPoint(0, 0));
    CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    void setHeightOfOneImage(const CCoord& height) override;
    void setBackground(CBitmap* background) override;

    const char* getClassName() const override { return "CAnimKnob"; }
    bool isTypeOf(const char* s) const override { return std::strcmp(s, "CAnimKnob") == 0 || CKnob::isTypeOf(s); }
    CBaseObject* newCopy() const override { return new CAnimKnob(*this); }

protected:
    bool bInverseBitmap = false;
};

}  // namespace VSTGUI
