#pragma once

// Every colour the plug-in draws at run time (the panel images carry the
// rest): one place to change a panel colour.

#include "toolkit/CColor.h"

namespace palette {

using VSTGUI::CColor;
using VSTGUI::MakeCColor;

// Text on the panels.
constexpr CColor kFrontText = MakeCColor(220, 213, 213, 255);   // hint line and trim value
constexpr CColor kValueText = MakeCColor(200, 193, 193, 255);   // back-panel values, front reference
constexpr CColor kFilterText = MakeCColor(170, 170, 170, 255);  // strip filter frequencies
constexpr CColor kTapeInk = MakeCColor(4, 45, 85, 205);
constexpr CColor kTextSelection = MakeCColor(80, 120, 200, 160);
constexpr CColor kClear = MakeCColor(0, 0, 0, 0);

// The meter views.
constexpr CColor kVuNeedle = MakeCColor(50, 45, 30, 255);
constexpr CColor kPpmNeedle = MakeCColor(229, 218, 202, 255);
constexpr CColor kRmsNeedle = MakeCColor(140, 118, 108, 255);
// The core's ink is that of a 0.6-pixel black line, spread over one whole
// pixel: thinner than a pixel, anti-aliasing breaks it into dots.
constexpr CColor kRmsCore = MakeCColor(0, 0, 0, 153);
constexpr CColor kPeakNeedle = MakeCColor(237, 230, 201, 255);
constexpr CColor kPeakTip = MakeCColor(160, 0, 0, 220);
constexpr CColor kHold = MakeCColor(220, 0, 0, 255);     // VU and PPM hold marks
constexpr CColor kRmsHold = MakeCColor(255, 0, 0, 130);

}  // namespace palette
