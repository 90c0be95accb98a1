#pragma once

// Measures inside the custom controls' own images, which the controls draw
// by and the editor's layout and the artwork generator repeat.

namespace controllayout {

constexpr int kReferenceTextInsetLeft = 81;   // the reference text starts this far into its control
constexpr int kReferenceTextInsetRight = 2;
constexpr int kMeterSelectorArrowWidth = 20;  // the zones at both ends that step the meter
constexpr int kLagTimeLayerHeight = 40;       // one of the lag control's three image layers

}  // namespace controllayout
