#include "editor/StripEditor.h"

#include "core/Templete.h"
#include "editor/EditorGeometry.h"
#include "toolkit/CControl.h"
#include "toolkit/CFrame.h"

using namespace VSTGUI;

StripEditor::StripEditor(Templete* effect, CControlListener* editor) : effect(effect), editor(editor) {}

StripEditor::~StripEditor()
{
    // The subclass parts are gone already: only the container is left to drop.
    if (container) {
        if (frame && frame->isChild(container))
            frame->removeView(container, true);
        container->forget();
    }
}

void StripEditor::setHintLabel(CHelpHintLabel* label)
{
    hintLabel = label;
    handHintLabel(label);
}

bool StripEditor::createContainer(CFrame* newFrame, CBitmap* background, int newHeight)
{
    frame = newFrame;
    if (!frame || !background)
        return false;
    height = newHeight;
    const int top = editor::kFrontPanelHeight;
    container = new CViewContainer(CRect(0, top, editor::kEditorWidth, top + height), nullptr, background);
    return true;
}

void StripEditor::close()
{
    forgetControls();
    shown = false;
    if (!container)
        return;
    if (frame && frame->isChild(container))
        frame->removeView(container, true);
    container->forget();
    container = nullptr;
}

void StripEditor::showAt(const CPoint& point)
{
    if (!container || !frame)
        return;
    container->setViewSize(CRect(point.x, point.y, point.x + editor::kEditorWidth, point.y + height));
    container->setMouseableArea(container->getViewSize());
    if (!frame->isChild(container)) {
        container->remember();
        frame->addView(container);
    }
    shown = true;
}

void StripEditor::hide()
{
    if (container && frame && frame->isChild(container))
        frame->removeView(container, true);
    shown = false;
}

void StripEditor::addView(CControl* control)
{
    if (container)
        container->addView(control);
    else
        control->forget();
}

float StripEditor::parameter(VstInt32 index) const { return effect ? effect->getParameter(index) : 0.f; }

void StripEditor::setValue(CControl* control, float value)
{
    if (!control)
        return;
    control->setValue(value);
    control->setDirty(true);
}
