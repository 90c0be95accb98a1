#pragma once

// A 32-bit premultiplied ARGB image held in a cairo image surface: the pixels
// of a bitmap, and the back buffer a frame draws into. Keeps cairo out of the
// headers of the views.

#include "toolkit/CColor.h"

#include <cstddef>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI {

class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height);  // fully transparent
    ~PixelBuffer();
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;

    // Decodes PNG bytes; an empty buffer when they are not a readable PNG.
    static PixelBuffer fromPng(const unsigned char* data, std::size_t size);
    // Adopts a surface reference (any cairo image surface of format ARGB32).
    static PixelBuffer adopt(cairo_surface_t* surface);

    bool isValid() const { return surface != nullptr; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    cairo_surface_t* getSurface() const { return surface; }

    // Un-premultiplied colour of one pixel; transparent outside the image.
    CColor getPixel(int x, int y) const;
    bool writePng(const std::string& path) const;

private:
    cairo_surface_t* surface = nullptr;
    int width = 0;
    int height = 0;
};

}  // namespace VSTGUI
