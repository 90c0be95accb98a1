// Placeholder table until the artwork is embedded: the library then has no images.
#include "platform/ResourceTable.h"

namespace platform {

const EmbeddedResource kEmbeddedResources[1] = {{0, nullptr, 0}};
const std::size_t kEmbeddedResourceCount = 0;

}  // namespace platform
