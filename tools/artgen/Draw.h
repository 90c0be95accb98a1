#pragma once

// Drawing helpers shared by every painter of the generator: fonts, text with
// letter spacing and engraving, rounded shapes, machined edges, brushed metal.

#include "Palette.h"

#include <cairo.h>

#include <string>

namespace artgen {

enum class Face {
    caption,   // condensed bold sans: engraved captions, numerals on faces
    label,     // condensed book sans: small secondary print
    legend,    // bold serif: the VU legend
    tape,      // the product's own handwriting face, on the label tape
};

// Loads the typefaces once from their files; the tape face from the font the
// project ships, so the artwork shows what the editor will draw.
void loadFonts(const std::string& tapeFontPath);
void releaseFonts();

enum class Align { left, centre, right };

struct TextStyle {
    Face face = Face::caption;
    double sizePx = 8.0;
    Rgb colour = palette::kCaption;
    double alpha = 1.0;
    double trackingPx = 0.0;  // extra space after every character
    Align align = Align::left;
};

// Advance width of `text` in the style, tracking included.
double textWidth(cairo_t* cr, const std::string& text, const TextStyle& style);
// Height of a capital letter in the style, for vertical centring.
double capHeight(cairo_t* cr, const TextStyle& style);
// Draws `text` with its baseline at y; x is the left end, centre or right end by the style.
void drawText(cairo_t* cr, const std::string& text, double x, double baselineY, const TextStyle& style);
// Same, centred on (cx, cy) by the capital height.
void drawTextCentred(cairo_t* cr, const std::string& text, double cx, double cy, TextStyle style);
// Panel print: the text with a dark line one pixel below, as if cut into the metal.
void drawEngraved(cairo_t* cr, const std::string& text, double x, double baselineY, const TextStyle& style);
void drawEngravedCentred(cairo_t* cr, const std::string& text, double cx, double cy, TextStyle style);

void setColour(cairo_t* cr, const Rgb& c, double alpha = 1.0);
Rgb mix(const Rgb& a, const Rgb& b, double t);
Rgb scale(const Rgb& c, double factor);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

// Vertical gradient fill of a rectangle.
void fillGradient(cairo_t* cr, double x, double y, double w, double h, const Rgb& top, const Rgb& bottom);
// Device pixels per image pixel of the surfaces being painted (1, or 2 for
// the double-size set): the pixel work below takes image coordinates.
void setPixelScale(int scale);

// Fine horizontal brushing on the pixels of a rectangle of an image surface.
void brush(cairo_surface_t* surface, int x, int y, int w, int h, unsigned seed, double levels = 2.5);
// A fine grain without direction on the light, opaque pixels of a rectangle
// (luminance above `minLuma`, 0..1): paper, tape.
void speckle(cairo_surface_t* surface, int x, int y, int w, int h, unsigned seed, double minLuma, double levels);
// A raised machined edge: highlight on top and left, shadow on bottom and right.
void raisedEdge(cairo_t* cr, double x, double y, double w, double h);
// A recess: shadow on top and left, highlight on bottom and right, `depth` pixels of bevel.
void recess(cairo_t* cr, double x, double y, double w, double h, int depth);
// A horizontal machined groove across [x0, x1) at y (two pixels: shadow, highlight).
void groove(cairo_t* cr, double x0, double x1, double y);
// A small dark window for value texts drawn by the controls.
void displayWell(cairo_t* cr, double x, double y, double w, double h);
// A round LED of radius r centred at (cx, cy); `glow` adds a halo.
void led(cairo_t* cr, double cx, double cy, double r, const Rgb& colour, double brightness, bool glow);

}  // namespace artgen
