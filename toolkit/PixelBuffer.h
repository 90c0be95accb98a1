#pragma once

// A 32-bit premultiplied ARGB image held in a cairo image surface (a GDI+
// bitmap on Windows): the pixels of a bitmap, and the back buffer a frame
// draws into. Keeps the drawing library out of the headers of the views.

#include "toolkit/CColor.h"

#include <cstddef>
#include <string>

#ifdef _WIN32
namespace Gdiplus {
class Bitmap;
}
namespace VSTGUI {
using NativeImage = Gdiplus::Bitmap;
}
#else
typedef struct _cairo_surface cairo_surface_t;
namespace VSTGUI {
using NativeImage = cairo_surface_t;
}
#endif

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
    // Adopts an image: a cairo image surface reference of format ARGB32, or a
    // GDI+ bitmap in 32-bit premultiplied ARGB.
    static PixelBuffer adopt(NativeImage* surface);

    bool isValid() const { return surface != nullptr; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    NativeImage* getSurface() const { return surface; }

    // Un-premultiplied colour of one pixel; transparent outside the image.
    CColor getPixel(int x, int y) const;
    bool writePng(const std::string& path) const;

private:
    NativeImage* surface = nullptr;
    int width = 0;
    int height = 0;
};

}  // namespace VSTGUI
