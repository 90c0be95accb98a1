#pragma once

// The large backgrounds: front panels, back panels and the strip bars. Each
// prints what belongs behind the controls placed on it: scales of the meter
// windows, captions, tick marks of sliders and stepped knobs.

#include <cairo.h>

namespace artgen {

// meter: 0 VU, 1 RMS, 2 PPM. All painters draw at the origin of an image surface.
void paintFrontPanel(cairo_t* cr, cairo_surface_t* surface, int meter);   // 586 x 169
void paintBackPanel(cairo_t* cr, cairo_surface_t* surface, int meter);    // 586 (PPM 585) x 261
void paintCompactStrip(cairo_t* cr, cairo_surface_t* surface, int meter); // 586 x 13
void paintFilterStrip(cairo_t* cr, cairo_surface_t* surface, int meter);  // 586 x 53
void paintLabelStrip(cairo_t* cr, cairo_surface_t* surface, int meter);   // 586 x 39

}  // namespace artgen
