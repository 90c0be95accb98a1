#pragma once

// The table of embedded resources, sorted by id. resources/ provides its
// definition (written by the build from the resource script).

#include <cstddef>

namespace platform {

struct EmbeddedResource {
    int id;
    const unsigned char* data;
    std::size_t size;
};

extern const EmbeddedResource kEmbeddedResources[];
extern const std::size_t kEmbeddedResourceCount;

}  // namespace platform
