#include "toolkit/AEffGUIEditor.h"

#include "core/AudioEffect.h"
#include "platform/Clock.h"
#include "toolkit/CFrame.h"

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect) {}

AEffGUIEditor::~AEffGUIEditor()
{
    if (frame)
        frame->close();
    frame = nullptr;
}

bool AEffGUIEditor::getRect(ERect** ppRect)
{
    if (!ppRect)
        return false;
    *ppRect = &rect;
    return true;
}

bool AEffGUIEditor::open(void* ptr) { return AEffEditor::open(ptr); }

void AEffGUIEditor::close()
{
    if (frame)
        frame->close();
    frame = nullptr;
    AEffEditor::close();
}

void AEffGUIEditor::idle()
{
    if (inIdleStuff || !frame)
        return;
    frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) { return frame && frame->onKeyDown(keyCode) > 0; }

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) { return frame && frame->onKeyUp(keyCode) > 0; }

bool AEffGUIEditor::setKnobMode(VstInt32 val)
{
    knobMode = val;
    return true;
}

void AEffGUIEditor::beginEdit(int32_t index)
{
    if (effect)
        effect->beginEdit(index);
}

void AEffGUIEditor::endEdit(int32_t index)
{
    if (effect)
        effect->endEdit(index);
}

// Lets the frame redraw while a control runs a loop of its own.
void AEffGUIEditor::doIdleStuff()
{
    if (inIdleStuff || !frame)
        return;
    inIdleStuff = true;
    frame->idle();
    inIdleStuff = false;
}

uint64_t AEffGUIEditor::getTicks() const { return static_cast<uint64_t>(platform::monotonicMs()); }
