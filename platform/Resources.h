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

// Every image is also embedded drawn at twice its size, under its id plus
// this offset (ids stay below 65536, as Windows resource ids must).
constexpr int kDoubleSizeIdOffset = 20000;
constexpr int kLargestResourceId = 65535;
// The id of the double-size drawing of image `id`; -1 when it cannot have one.
constexpr int doubleSizeResourceId(int id)
{
    return id > 0 && id + kDoubleSizeIdOffset <= kLargestResourceId ? id + kDoubleSizeIdOffset : -1;
}

// Bytes of the TrueType face the panels print their texts in.
ResourceBytes panelFace();

}  // namespace platform
