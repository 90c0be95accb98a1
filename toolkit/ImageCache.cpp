#include "toolkit/ImageCache.h"

#include "platform/Resources.h"

namespace VSTGUI {

std::shared_ptr<const PixelBuffer> ImageCache::decode(int resourceId)
{
    // Editors open on the host's user-interface thread, but hosts with one
    // such thread per window exist.
    const std::lock_guard<std::mutex> lock(mutex);
    if (auto shared = decoded[resourceId].lock())
        return shared;
    const platform::ResourceBytes bytes = platform::pngResource(resourceId);
    auto image = std::make_shared<const PixelBuffer>(PixelBuffer::fromPng(bytes.data, bytes.size));
    decoded[resourceId] = image;
    return image;
}

std::shared_ptr<const PixelBuffer> ImageCache::resource(int id) { return decode(id); }

std::shared_ptr<const PixelBuffer> ImageCache::doubleSizeResource(int id)
{
    const int doubleId = platform::doubleSizeResourceId(id);
    if (doubleId < 0)
        return nullptr;
    std::shared_ptr<const PixelBuffer> image = decode(doubleId);
    return image->isValid() ? image : nullptr;
}

}  // namespace VSTGUI
