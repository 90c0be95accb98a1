#include "tools/valdora-render/OffscreenEditor.h"

#include "controls/CQORMeterSelectorControl.h"
#include "editor/TemepleteEditor.h"
#include "toolkit/CButtonState.h"
#include "toolkit/CFrame.h"
#include "toolkit/OffscreenRender.h"

#include <stdexcept>

using namespace VSTGUI;

namespace render {

OffscreenEditor::OffscreenEditor(Templete& effect, double scale)
    : editor(dynamic_cast<TemepleteEditor*>(effect.getEditor()))
{
    // The scale is fixed when the editor opens; later editors choose their own.
    AEffGUIEditor::setScaleOverride(scale);
    const bool opened = editor && editor->openOffscreen();
    AEffGUIEditor::setScaleOverride(0);
    if (!opened)
        throw std::runtime_error("the editor cannot be opened offscreen");
}

OffscreenEditor::~OffscreenEditor() { editor->close(); }

void OffscreenEditor::idle() { editor->idle(); }

void OffscreenEditor::click(double x, double y)
{
    CPoint down(x, y);
    editor->getFrame()->onMouseDown(down, CButtonState(kLButton));
    CPoint up(x, y);
    editor->getFrame()->onMouseUp(up, CButtonState(kLButton));
}

void OffscreenEditor::toggleBackPanel()
{
    CControl* selector = editor->getPanel(editor->getCurrentMeter())->getControls().meterSelector;
    CPoint where = selector->getViewSize().getCenter();
    selector->localToFrame(where);
    click(where.x, where.y);
    editor->idle();
}

bool OffscreenEditor::write(const std::string& path) { return renderToPng(*editor->getFrame(), path); }

}  // namespace render
