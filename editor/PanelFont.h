#pragma once

// The faces the panels print their texts in: hints, value texts, versions,
// the trim and frequency fields. Both are the face the library carries, so
// every machine measures and draws them alike.

#include "toolkit/CFontDesc.h"

namespace editor {

// Hint line, back panel value texts and versions, trim text, reference text.
VSTGUI::CFontRef panelFont();

// The filter strip's frequency texts ("Arial", 9).
VSTGUI::CFontRef frequencyFont();

constexpr double kPanelFontSizePx = 9.0;
constexpr double kFrequencyFontSizePx = 9.0;

}  // namespace editor
