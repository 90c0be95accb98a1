#pragma once

// Every image of the library: id, file name, size, frame count and painter.

#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

namespace artgen {

struct ArtImage {
    int id;
    std::string file;
    int width;
    int height;   // all frames
    int frames;
    // Draws one frame at the origin; the surface is the whole image, for pixel work.
    std::function<void(cairo_t*, cairo_surface_t*, int frame)> paint;
};

std::vector<ArtImage> catalogue();

// Renders all frames stacked vertically into a new ARGB surface (caller destroys it).
cairo_surface_t* render(const ArtImage& image);

}  // namespace artgen
