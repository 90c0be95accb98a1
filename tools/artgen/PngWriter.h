#pragma once

// Writes an ARGB surface as an 8-bit RGBA PNG whatever its content: cairo's own
// writer drops the alpha channel of opaque images, and the editor's images
// are all RGBA.

#include <cairo.h>

#include <string>

namespace artgen {

void writeRgbaPng(cairo_surface_t* surface, const std::string& path);

}  // namespace artgen
