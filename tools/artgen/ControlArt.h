#pragma once

// The controls: every painter draws one frame at the origin, in the frame's
// own width and height. Backgrounds stay transparent wherever the panel
// behind a control should show through.

#include "Palette.h"

#include <cairo.h>

#include <string>

namespace artgen {

void paintManualButton(cairo_t* cr, int frame);             // 10 x 14: normal, hover, pressed
void paintTrimHandle(cairo_t* cr);                          // 32 x 19
void paintProcessButton(cairo_t* cr, int frame);            // 43 x 14: off, on
void paintKnob(cairo_t* cr, int frame);                     // 43 x 41, 51 frames over 270 degrees
void paintLrMsSwitch(cairo_t* cr, int frame, const Rgb& accent);   // 87 x 24
void paintHoldSwitch(cairo_t* cr, int frame, const Rgb& accent);   // 86 x 24: off, infinite, on
void paintTapePen(cairo_t* cr);                             // 47 x 33
void paintCalibration(cairo_t* cr, int frame, int width);   // 86 or 581 x 11
void paintCalibrationSentence(cairo_t* cr, int frame);      // 586 x 11
void paintReferenceCaption(cairo_t* cr, int frame);         // 133 x 11
void paintMeterSelector(cairo_t* cr, int frame);            // 149 x 23: plain, left lit, right lit
void paintFilterInOut(cairo_t* cr, int frame);              // 31 x 30: out, in (inactive), in
void paintFilterOn(cairo_t* cr, int frame);                 // 36 x 12
void paintFrequencyHandle(cairo_t* cr);                     // 19 x 32
void paintOpenClose(cairo_t* cr, int frame);                // 11 x 11: closed, open
void paintStripCaption(cairo_t* cr, int width, const std::string& text);  // 27 or 33 x 11
void paintFilterLamp(cairo_t* cr, int frame);               // 12 x 12: out, in (inactive), in
void paintSlopeSwitch(cairo_t* cr, int frame);              // 29 x 24
void paintLagTime(cairo_t* cr, int layer);                  // 26 x 40: box, glass, arrows
void paintVuTypeSwitch(cairo_t* cr, int frame);             // 65 x 41: A, B
void paintMidSwitch(cairo_t* cr, int frame, int height);    // 70 x 41 or 67: M0, M3, M6
void paintMeasureSwitch(cairo_t* cr, int frame);            // 54 x 97: CPU safe, precise
void paintLedUnitSwitch(cairo_t* cr, int frame);            // 54 x 57: dBref, dBFS
void paintOverLed(cairo_t* cr, int frame);                  // 20 x 20: none, latched, now
void paintChannelCaption(cairo_t* cr, const std::string& text, const Rgb& accent);  // 66 x 19

// The explanatory sentence of calibration mode 0 Global, 1 Session, 2 Instance.
const char* calibrationSentence(int mode);

}  // namespace artgen
