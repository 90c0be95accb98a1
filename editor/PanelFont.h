#pragma once

// The small face the panels print their value texts and versions in.

#include "toolkit/CFontDesc.h"

namespace editor {

VSTGUI::CFontRef panelFont();

}  // namespace editor
