#include "ToolkitProbes.h"

#include "base/AudioEffect.h"
#include "editor/AEffGUIEditor.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/CTextEdit.h"

#include <gtest/gtest.h>

#include <vector>

namespace toolkit_test {
namespace {

std::vector<std::pair<VstInt32, VstInt32>> hostCalls;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float)
{
    if (opcode == audioMasterBeginEdit || opcode == audioMasterEndEdit)
        hostCalls.emplace_back(opcode, index);
    return 1;
}

class SilentEffect : public AudioEffect {
public:
    SilentEffect() : AudioEffect(recordingHost, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

// A minimal editor: one offscreen frame holding one button.
class TestEditor : public AEffGUIEditor, public CControlListener {
public:
    using AEffGUIEditor::AEffGUIEditor;
    bool open(void* ptr) override
    {
        AEffGUIEditor::open(ptr);
        rect = {0, 0, 40, 100};
        frame = new CFrame(CRect(0, 0, 100, 40), nullptr, this);
        button = new COnOffButton(CRect(0, 0, 20, 20), this, 7, nullptr);
        frame->addView(button);
        field = new CTextEdit(CRect(30, 0, 90, 20), this, 8, "x");
        frame->addView(field);
        return true;
    }
    void valueChanged(CControl*) override { ++changes; }
    CFrame* currentFrame() const { return frame; }

    COnOffButton* button = nullptr;
    CTextEdit* field = nullptr;
    int changes = 0;
};

TEST(EditorBinding, ControlEditsReachTheHostAsBeginAndEndWithTheTag)
{
    hostCalls.clear();
    SilentEffect effect;
    TestEditor editor(&effect);
    editor.open(nullptr);
    CPoint where(5, 5);
    editor.currentFrame()->onMouseDown(where, kLButton);
    EXPECT_EQ(hostCalls, (std::vector<std::pair<VstInt32, VstInt32>>{{audioMasterBeginEdit, 7},
                                                                     {audioMasterEndEdit, 7}}));
    EXPECT_EQ(editor.changes, 1);
    editor.close();
    EXPECT_EQ(editor.currentFrame(), nullptr);
}

TEST(EditorBinding, KeysGoToTheFocusedViewThroughTheEditor)
{
    SilentEffect effect;
    TestEditor editor(&effect);
    editor.open(nullptr);
    VstKeyCode letter{'a', 0, 0};
    EXPECT_FALSE(editor.onKeyDown(letter)) << "no focus view yet";
    CPoint where(40, 10);
    editor.currentFrame()->onMouseDown(where, kLButton);
    EXPECT_TRUE(editor.onKeyDown(letter));
    VstKeyCode enter{0, VKEY_RETURN, 0};
    EXPECT_TRUE(editor.onKeyDown(enter));
    EXPECT_STREQ(editor.field->getText(), "a");
    editor.close();
}

TEST(EditorBinding, RectAndKnobModeAreAnsweredWithoutAWindow)
{
    SilentEffect effect;
    TestEditor editor(&effect);
    ERect* rect = nullptr;
    EXPECT_TRUE(editor.getRect(&rect));
    ASSERT_NE(rect, nullptr);
    EXPECT_FALSE(editor.getRect(nullptr));
    editor.idle();  // closed: nothing to do, nothing breaks

    EXPECT_TRUE(editor.setKnobMode(kLinearMode));
    TestEditor other(&effect);
    EXPECT_EQ(other.getKnobMode(), kLinearMode) << "one knob mode for the whole process";
    editor.setKnobMode(kCircularMode);
}

}  // namespace
}  // namespace toolkit_test
