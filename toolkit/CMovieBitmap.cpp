#include "toolkit/CMovieBitmap.h"

#include "toolkit/CBitmap.h"

namespace VSTGUI {

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                           const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset)
{
    heightOfOneImage = size.getHeight();
    subPixmaps = (background && heightOfOneImage > 0)
                     ? static_cast<int32_t>(background->getHeight() / heightOfOneImage)
                     : 0;
}

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                           CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset)
{
    this->subPixmaps = subPixmaps;
    this->heightOfOneImage = heightOfOneImage;
}

void CMovieBitmap::draw(CDrawContext* context)
{
    CPoint where(offset);
    if (getNumSubPixmaps() > 1)
        where.y += heightOfOneImage * static_cast<int32_t>(getValueNormalized() * (getNumSubPixmaps() - 1) + 0.5f);
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, where);
    setDirty(false);
}

}  // namespace VSTGUI
