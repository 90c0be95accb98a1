#include "toolkit/CBitmap.h"

#include "toolkit/CDrawContext.h"
#include "toolkit/ImageCache.h"

#include <cmath>
#include <utility>

namespace VSTGUI {

CBitmap::CBitmap(const CResourceDescription& desc) : resource(desc), pixels(ImageCache::resource(desc.id))
{
    live.fetch_add(1, std::memory_order_relaxed);
}

CBitmap::CBitmap(const unsigned char* pngData, std::size_t size)
    : pixels(std::make_shared<const PixelBuffer>(PixelBuffer::fromPng(pngData, size))),
      doubleSizeLooked(true)
{
    live.fetch_add(1, std::memory_order_relaxed);
}

CBitmap::CBitmap(CCoord width, CCoord height)
    : pixels(std::make_shared<const PixelBuffer>(static_cast<int>(std::lround(width)),
                                                 static_cast<int>(std::lround(height)))),
      doubleSizeLooked(true)
{
    live.fetch_add(1, std::memory_order_relaxed);
}

CBitmap::CBitmap(PixelBuffer&& newPixels)
    : pixels(std::make_shared<const PixelBuffer>(std::move(newPixels))), doubleSizeLooked(true)
{
    live.fetch_add(1, std::memory_order_relaxed);
}

CBitmap::~CBitmap() { live.fetch_sub(1, std::memory_order_relaxed); }

const PixelBuffer* CBitmap::getDoubleSizePixels()
{
    if (!doubleSizeLooked) {
        doubleSizeLooked = true;
        doubleSizePixels = ImageCache::doubleSizeResource(resource.id);
        // A double-size image that does not match the plain one would misplace every frame.
        if (doubleSizePixels && (doubleSizePixels->getWidth() != 2 * pixels->getWidth() ||
                                 doubleSizePixels->getHeight() != 2 * pixels->getHeight()))
            doubleSizePixels.reset();
    }
    return doubleSizePixels.get();
}

void CBitmap::draw(CDrawContext* context, const CRect& destRect, const CPoint& offset, float alpha)
{
    if (context)
        context->drawBitmap(this, destRect, offset, alpha);
}

}  // namespace VSTGUI
