#pragma once

// The library's own resources: PNG images addressed by number, as the
// resource script numbers them. The bytes are embedded in the plug-in.

#include <cstddef>

namespace platform {

struct ResourceBytes {
    const unsigned char* data = nullptr;  // null when there is no such resource
    std::size_t size = 0;
};

// Bytes of PNG resource `id`; empty when the library has none with that id.
ResourceBytes pngResource(int id);

// Bytes of the TrueType face the panels print their texts in.
ResourceBytes panelFace();

}  // namespace platform
