#include "editor/PanelFont.h"

#include "platform/Resources.h"
#include "toolkit/EmbeddedFont.h"

namespace editor {

namespace {

// Lives for the whole process, like the toolkit's standard fonts.
VSTGUI::CFontDesc* makeFont(const char* name, double sizePx)
{
    auto* font = new VSTGUI::CFontDesc(name, sizePx, VSTGUI::kNormalFace);
    const platform::ResourceBytes face = platform::panelFace();
    auto* shipped = new VSTGUI::EmbeddedFont(face.data, face.size, sizePx);
    font->setPlatformFont(shipped);
    shipped->forget();
    return font;
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
