#include "toolkit/CAnimKnob.h"

#include "toolkit/CBitmap.h"

#include <cmath>

namespace VSTGUI {

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                     const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset)
{
    inset = 0;
    setHeightOfOneImage(size.getHeight());
}

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                     CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset)
{
    inset = 0;
    setNumSubPixmaps(subPixmaps);
    setHeightOfOneImage(heightOfOneImage);
}

void CAnimKnob::setHeightOfOneImage(const CCoord& height)
{
    IMultiBitmapControl::setHeightOfOneImage(height);
    if (getDrawBackground() && heightOfOneImage > 0)
        setNumSubPixmaps(static_cast<int32_t>(getDrawBackground()->getHeight() / heightOfOneImage));
}

void CAnimKnob::setBackground(CBitmap* background)
{
    CKnob::setBackground(background);
    if (heightOfOneImage == 0)
        heightOfOneImage = size.getHeight();
    if (background && heightOfOneImage > 0)
        setNumSubPixmaps(static_cast<int32_t>(background->getHeight() / heightOfOneImage));
}

void CAnimKnob::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground()) {
        CPoint where(0, 0);
        const float norm = getValueNormalized();
        if (heightOfOneImage > 0 && getNumSubPixmaps() > 0) {
            const CCoord span = heightOfOneImage * (getNumSubPixmaps() - 1);
            where.y = std::floor((bInverseBitmap ? 1.0 - norm : norm) * span);
            // Snap down to the top of a frame.
            where.y -= static_cast<int32_t>(where.y) % static_cast<int32_t>(heightOfOneImage);
        }
        bitmap->draw(context, size, where);
    }
    setDirty(false);
}

}  // namespace VSTGUI
