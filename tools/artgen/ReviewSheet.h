#pragma once

// Review output, kept out of the library: a contact sheet of every image and
// mock-ups of the editor composed from the images at their real positions.

#include "ArtCatalogue.h"

#include <cairo.h>

#include <map>
#include <string>

namespace artgen {

using ImageSet = std::map<int, cairo_surface_t*>;  // id -> rendered image (not owned)

void writeContactSheet(const std::vector<ArtImage>& list, const ImageSet& images, const std::string& path);
// The 586 x 261 editor of one meter: front panel, needles at reading 1.0, both strips expanded.
void writeFrontMockup(const ImageSet& images, int meter, const std::string& path);
// The same meter's back panel with its controls in their first frame.
void writeBackMockup(const ImageSet& images, int meter, const std::string& path);

}  // namespace artgen
