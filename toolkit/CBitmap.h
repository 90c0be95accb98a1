#pragma once

// An image for views: loaded from the library's PNG resources by id, or made
// from PNG bytes. A resource that is missing or unreadable leaves the bitmap
// empty (size 0, isLoaded false); drawing an empty bitmap draws nothing.

#include "toolkit/CBaseObject.h"
#include "toolkit/CRect.h"
#include "toolkit/PixelBuffer.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace VSTGUI {

class CDrawContext;

struct CResourceDescription {
    CResourceDescription(int32_t id) : id(id) {}
    int32_t id;
};

class CBitmap : public CBaseObject {
public:
    explicit CBitmap(const CResourceDescription& desc);
    CBitmap(const unsigned char* pngData, std::size_t size);
    CBitmap(CCoord width, CCoord height);  // transparent, for drawing into
    explicit CBitmap(PixelBuffer&& pixels);
    ~CBitmap() override;

    // Bitmaps alive in the process now: what a test compares before and
    // after an editor's whole life to find one never released.
    static long liveCount() { return live.load(std::memory_order_relaxed); }

    virtual void draw(CDrawContext* context, const CRect& destRect, const CPoint& offset = CPoint(0, 0),
                      float alpha = 1.f);

    CCoord getWidth() const { return pixels->getWidth(); }
    CCoord getHeight() const { return pixels->getHeight(); }
    bool isLoaded() const { return pixels->isValid(); }
    const CResourceDescription& getResourceDescription() const { return resource; }
    const PixelBuffer& getPixels() const { return *pixels; }
    // The image drawn at twice the size, for editors on dense screens; null
    // when there is none (a bitmap not loaded from a resource).
    const PixelBuffer* getDoubleSizePixels();

    const char* getClassName() const override { return "CBitmap"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CBitmap") == 0 || CBaseObject::isTypeOf(s);
    }

private:
    static inline std::atomic<long> live{0};

    CResourceDescription resource{-1};
    // Resource images are shared by every bitmap of the same id (see ImageCache).
    std::shared_ptr<const PixelBuffer> pixels;
    std::shared_ptr<const PixelBuffer> doubleSizePixels;
    bool doubleSizeLooked = false;
};

}  // namespace VSTGUI
