#pragma once

// Decoded resource images shared by every bitmap of the process: each PNG
// resource is decoded once and freed when the last bitmap using it goes, so
// a second editor costs no second copy of the artwork. The large images of
// a 2x editor are decoded only when one asks for them.

#include "toolkit/PixelBuffer.h"

#include <map>
#include <memory>
#include <mutex>

namespace VSTGUI {

class ImageCache {
public:
    // The decoded image of resource `id`; an empty buffer when there is none.
    static std::shared_ptr<const PixelBuffer> resource(int id);
    // The same image drawn for twice the size; null when the library has none.
    static std::shared_ptr<const PixelBuffer> doubleSizeResource(int id);

private:
    static std::shared_ptr<const PixelBuffer> decode(int resourceId);

    static inline std::mutex mutex;
    static inline std::map<int, std::weak_ptr<const PixelBuffer>> decoded;
};

}  // namespace VSTGUI
