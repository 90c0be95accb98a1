#pragma once

// The printed scales of the three meters. Every mark is placed with the angle
// law of its view, so the artwork and the needles agree by construction.

#include <cairo.h>

namespace artgen {

// VU scale face, 250 x 122 at the origin, for backlight step 0 (warm) .. 4 (cold);
// its bottom 6 pixels are the cover strip drawn over the needle root.
void paintVuFace(cairo_t* cr, int backlightStep);
// RMS and PPM faces, 250 x 116 at the origin (the views draw no face of their own).
void paintRmsFace(cairo_t* cr);
void paintPpmFace(cairo_t* cr);

}  // namespace artgen
