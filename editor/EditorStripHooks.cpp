// Where the editor meets its two strip editors (StripFiltersSafeEditor and
// StripLabelSafeEditor, each holding a meter's compact and expanded bars).
// Until those classes are part of the build both pointers stay null: the
// window still takes the strips' heights, and nothing is drawn in them but
// the frame's background.

#include "editor/TemepleteEditor.h"

void TemepleteEditor::createStripEditors()
{
    filterStrip = nullptr;
    labelStrip = nullptr;
}

void TemepleteEditor::destroyStripEditors()
{
    filterStrip = nullptr;
    labelStrip = nullptr;
}

void TemepleteEditor::placeStrips(const editor::StripLayout& /*layout*/) {}

void TemepleteEditor::setStripsProcessActive(float /*value*/) {}

void TemepleteEditor::forwardParameterToStrips(VstInt32 /*index*/, float /*value*/) {}

void TemepleteEditor::forwardControlToStrips(VSTGUI::CControl* /*control*/) {}

void TemepleteEditor::idleStrips() {}
