#include "platform/Resources.h"

#include "platform/ResourceTable.h"

#include <algorithm>

namespace platform {

ResourceBytes pngResource(int id)
{
    const EmbeddedResource* begin = kEmbeddedResources;
    const EmbeddedResource* end = kEmbeddedResources + kEmbeddedResourceCount;
    // The table is sorted by id (the build writes it so).
    const EmbeddedResource* found =
        std::lower_bound(begin, end, id, [](const EmbeddedResource& r, int key) { return r.id < key; });
    if (found == end || found->id != id)
        return {};
    return {found->data, found->size};
}

}  // namespace platform
