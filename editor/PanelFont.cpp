#include "editor/PanelFont.h"

namespace editor {

VSTGUI::CFontRef panelFont()
{
    // Lives for the whole process, like the toolkit's standard fonts.
    static VSTGUI::CFontDesc* const font = new VSTGUI::CFontDesc("Sans", 10, VSTGUI::kNormalFace);
    return font;
}

}  // namespace editor

namespace editor {

VSTGUI::CFontRef frequencyFont()
{
    static VSTGUI::CFontDesc* const font = new VSTGUI::CFontDesc("Arial", 9, VSTGUI::kNormalFace);
    return font;
}

}  // namespace editor
