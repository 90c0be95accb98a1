#include "editor/AEffGUIEditor.h"

#include "base/AudioEffect.h"
#include "platform/Clock.h"
#include "toolkit/CFrame.h"
#include "toolkit/KeyCode.h"

namespace {

// The toolkit numbers keys as the plug-in interface does, so a host key passes field by field.
constexpr bool sameNumber(int toolkit, int host) { return toolkit == host; }
static_assert(sameNumber(VSTGUI::kKeyReturn, VKEY_RETURN) && sameNumber(VSTGUI::kKeyEquals, VKEY_EQUALS));
static_assert(sameNumber(VSTGUI::kModifierShift, MODIFIER_SHIFT) && sameNumber(VSTGUI::kModifierControl, MODIFIER_CONTROL));

VSTGUI::KeyCode toolkitKey(const VstKeyCode& keyCode)
{
    return VSTGUI::KeyCode{keyCode.character, keyCode.virt, keyCode.modifier};
}

}  // namespace

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

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode)
{
    VSTGUI::KeyCode key = toolkitKey(keyCode);
    return frame && frame->onKeyDown(key) > 0;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode)
{
    VSTGUI::KeyCode key = toolkitKey(keyCode);
    return frame && frame->onKeyUp(key) > 0;
}

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
