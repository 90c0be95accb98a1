#pragma once

// A PNG written by a tool, read back as 0xRRGGBB pixels for the tests that
// check what was drawn.

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row after row

    size_t colours() const { return std::set<uint32_t>(pixels.begin(), pixels.end()).size(); }
    size_t differingIn(const Picture& other, int x0, int y0, int x1, int y1) const
    {
        size_t n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += pixels[static_cast<size_t>(y * width + x)] != other.pixels[static_cast<size_t>(y * width + x)];
        return n;
    }
};

// An unreadable file gives an empty picture.
inline Picture readPng(const std::string& path)
{
    Picture picture;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        picture.width = cairo_image_surface_get_width(surface);
        picture.height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                uint32_t pixel = 0;
                std::memcpy(&pixel, data + y * stride + x * 4, sizeof pixel);
                picture.pixels.push_back(pixel & 0xffffffu);
            }
    }
    cairo_surface_destroy(surface);
    return picture;
}

}  // namespace testing_support
