#include "editor/PanelFont.h"

#include "platform/Resources.h"
#include "toolkit/EmbeddedFontDesc.h"

namespace editor {

namespace {

// Lives for the whole process, like the toolkit's standard fonts.
VSTGUI::CFontDesc* makeFont(const char* name, double sizePx)
{
    const platform::ResourceBytes face = platform::panelFace();
    return new VSTGUI::EmbeddedFontDesc(name, sizePx, face.data, face.size);
}

}  // namespace

VSTGUI::CFontRef panelFont()
{
    static VSTGUI::CFontDesc* const font = makeFont("Liberation Sans", kPanelFontSizePx);
    return font;
}

VSTGUI::CFontRef frequencyFont()
{
    static VSTGUI::CFontDesc* const font = makeFont("Arial", kFrequencyFontSizePx);
    return font;
}

}  // namespace editor
