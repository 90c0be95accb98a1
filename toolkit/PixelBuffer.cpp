#include "toolkit/PixelBuffer.h"

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <utility>

namespace VSTGUI {

namespace {

struct PngReader {
    const unsigned char* data;
    std::size_t size;
    std::size_t position;
};

cairo_status_t readPngBytes(void* closure, unsigned char* out, unsigned int length)
{
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->size - reader->position < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

PixelBuffer::PixelBuffer(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    *this = adopt(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}

PixelBuffer::~PixelBuffer()
{
    if (surface)
        cairo_surface_destroy(surface);
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : surface(std::exchange(other.surface, nullptr)),
      width(std::exchange(other.width, 0)),
      height(std::exchange(other.height, 0))
{
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept
{
    if (this != &other) {
        if (surface)
            cairo_surface_destroy(surface);
        surface = std::exchange(other.surface, nullptr);
        width = std::exchange(other.width, 0);
        height = std::exchange(other.height, 0);
    }
    return *this;
}

PixelBuffer PixelBuffer::fromPng(const unsigned char* data, std::size_t size)
{
    if (!data || size == 0)
        return {};
    PngReader reader{data, size, 0};
    cairo_surface_t* decoded = cairo_image_surface_create_from_png_stream(readPngBytes, &reader);
    if (cairo_surface_status(decoded) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(decoded);
        return {};
    }
    if (cairo_image_surface_get_format(decoded) == CAIRO_FORMAT_ARGB32)
        return adopt(decoded);
    // Opaque or grey PNGs decode to other formats; draw them into ARGB32 so
    // every bitmap has one pixel layout.
    PixelBuffer converted(cairo_image_surface_get_width(decoded), cairo_image_surface_get_height(decoded));
    if (converted.isValid()) {
        cairo_t* cr = cairo_create(converted.surface);
        cairo_set_source_surface(cr, decoded, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    cairo_surface_destroy(decoded);
    return converted;
}

PixelBuffer PixelBuffer::adopt(cairo_surface_t* newSurface)
{
    PixelBuffer buffer;
    if (!newSurface)
        return buffer;
    if (cairo_surface_status(newSurface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(newSurface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(newSurface) != CAIRO_FORMAT_ARGB32) {
        cairo_surface_destroy(newSurface);
        return buffer;
    }
    buffer.surface = newSurface;
    buffer.width = cairo_image_surface_get_width(newSurface);
    buffer.height = cairo_image_surface_get_height(newSurface);
    return buffer;
}

CColor PixelBuffer::getPixel(int x, int y) const
{
    if (!surface || x < 0 || y < 0 || x >= width || y >= height)
        return MakeCColor(0, 0, 0, 0);
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    uint32_t argb = 0;
    std::memcpy(&argb, row + x * 4, sizeof argb);
    const uint8_t a = static_cast<uint8_t>(argb >> 24);
    if (a == 0)
        return MakeCColor(0, 0, 0, 0);
    auto unpremultiply = [a](uint32_t c) { return static_cast<uint8_t>(((c & 0xff) * 255 + a / 2) / a); };
    return MakeCColor(unpremultiply(argb >> 16), unpremultiply(argb >> 8), unpremultiply(argb), a);
}

bool PixelBuffer::writePng(const std::string& path) const
{
    return surface && cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace VSTGUI
