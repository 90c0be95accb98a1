#include "toolkit/CBitmap.h"

#include "platform/Resources.h"
#include "toolkit/CDrawContext.h"

#include <cmath>
#include <utility>

namespace VSTGUI {

CBitmap::CBitmap(const CResourceDescription& desc) : resource(desc)
{
    live.fetch_add(1, std::memory_order_relaxed);
    const platform::ResourceBytes bytes = platform::pngResource(desc.id);
    pixels = PixelBuffer::fromPng(bytes.data, bytes.size);
}

CBitmap::CBitmap(const unsigned char* pngData, std::size_t size) : pixels(PixelBuffer::fromPng(pngData, size))
{
    live.fetch_add(1, std::memory_order_relaxed);
}

CBitmap::CBitmap(CCoord width, CCoord height)
    : pixels(static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)))
{
    live.fetch_add(1, std::memory_order_relaxed);
}

CBitmap::CBitmap(PixelBuffer&& newPixels) : pixels(std::move(newPixels))
{
    live.fetch_add(1, std::memory_order_relaxed);
}

CBitmap::~CBitmap()
{
    live.fetch_sub(1, std::memory_order_relaxed);
}

void CBitmap::draw(CDrawContext* context, const CRect& destRect, const CPoint& offset, float alpha)
{
    if (context)
        context->drawBitmap(this, destRect, offset, alpha);
}

}  // namespace VSTGUI
