#pragma once

// The small face of the panels' texts: hint line, trim text, front
// reference. Lives for the whole process, like the toolkit's own fonts.

#include "toolkit/CFontDesc.h"

namespace editor {

inline VSTGUI::CFontRef panelFont()
{
    static VSTGUI::CFontDesc* font = new VSTGUI::CFontDesc("Sans", 9, VSTGUI::kNormalFace);
    return font;
}

}  // namespace editor
