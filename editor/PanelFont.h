#pragma once

// The small face the panels print their value texts and versions in.

#include "toolkit/CFontDesc.h"

namespace editor {

VSTGUI::CFontRef panelFont();

}  // namespace editor

namespace editor {

// The filter strip's frequency texts.
VSTGUI::CFontRef frequencyFont();

}  // namespace editor
