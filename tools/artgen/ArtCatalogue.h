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

// Renders all frames stacked vertically into a new ARGB surface (caller
// destroys it), `scale` device pixels per image pixel: the double-size set
// is drawn anew at that size, never enlarged.
cairo_surface_t* render(const ArtImage& image, int scale = 1);

}  // namespace artgen
