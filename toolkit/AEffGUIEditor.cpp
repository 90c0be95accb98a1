#include "toolkit/AEffGUIEditor.h"

#include "core/AudioEffect.h"
#include "platform/Clock.h"
#include "platform/EditorScale.h"
#include "toolkit/CFrame.h"
#include "toolkit/IPlatformFrame.h"

#include <cmath>

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
    // Hosts ask before they open the window; the desktop is asked once until
    // the window opens and fixes the scale.
    if (!frame && !scaleChosen) {
        scale = chooseScale(nullptr);
        scaleChosen = true;
    }
    deviceRect.top = static_cast<VstInt16>(toDevicePixels(rect.top));
    deviceRect.left = static_cast<VstInt16>(toDevicePixels(rect.left));
    deviceRect.bottom = static_cast<VstInt16>(toDevicePixels(rect.bottom));
    deviceRect.right = static_cast<VstInt16>(toDevicePixels(rect.right));
    *ppRect = &deviceRect;
    return true;
}

bool AEffGUIEditor::open(void* ptr)
{
    // Without a window (offscreen renders) only an explicit request scales.
    scale = ptr ? chooseScale(ptr) : (scaleOverride > 0 ? scaleOverride : 1.0);
    scaleChosen = true;
    return AEffEditor::open(ptr);
}

void AEffGUIEditor::setScaleOverride(double newScale)
{
    scaleOverride = newScale > 0 ? platform::snapEditorScale(newScale) : 0.0;
}

double AEffGUIEditor::chooseScale(void* parentWindow) const
{
    if (scaleOverride > 0)
        return scaleOverride;
    return platform::chooseEditorScale(VSTGUI::desktopEditorScale(parentWindow));
}

int AEffGUIEditor::toDevicePixels(int length) const
{
    return scale == 1.0 ? length : static_cast<int>(std::ceil(length * scale - 1e-9));
}

void AEffGUIEditor::close()
{
    if (frame)
        frame->close();
    frame = nullptr;
    // The next window may open on another screen or after a new choice.
    scaleChosen = false;
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
