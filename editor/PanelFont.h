#pragma once

// The faces the panels print their texts in: hints, value texts, versions,
// the trim and frequency fields, the lag time digits. Both are the face the library carries, so
// every machine measures and draws them alike.

#include "toolkit/CFontDesc.h"

namespace editor {

// Hint line, back panel value texts and versions, trim text, reference text,
// lag time digits (drawn at their own size).
VSTGUI::CFontRef panelFont();

// The filter strip's frequency texts ("Arial", 9).
VSTGUI::CFontRef frequencyFont();

constexpr double kPanelFontSizePx = 9.0;
constexpr double kFrequencyFontSizePx = 9.0;

}  // namespace editor
