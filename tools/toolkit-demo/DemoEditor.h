#pragma once

// A small editor built from toolkit controls, with artwork drawn in code:
// for looking at the toolkit on screen and offscreen, and for the tests that
// embed it in a host window.

#include "editor/AEffGUIEditor.h"
#include "toolkit/CControl.h"

#include <vector>

namespace VSTGUI {
class CAnimKnob;
class COnOffButton;
class CSlider;
class CTextEdit;
class CTextLabel;
}  // namespace VSTGUI

namespace toolkit_demo {

constexpr int kDemoWidth = 320;
constexpr int kDemoHeight = 120;
constexpr int kDemoTallHeight = 160;

enum DemoTag : int32_t { kTagButton = 1, kTagKnob = 2, kTagSlider = 3, kTagText = 4 };

class DemoEditor : public AEffGUIEditor, public VSTGUI::CControlListener {
public:
    explicit DemoEditor(AudioEffect* effect);

    // With a null window the frame is offscreen.
    bool open(void* parentWindow) override;
    void close() override;
    void valueChanged(VSTGUI::CControl* control) override;

    VSTGUI::CFrame* getDemoFrame() const { return frame; }
    VSTGUI::COnOffButton* button = nullptr;
    VSTGUI::CAnimKnob* knob = nullptr;
    VSTGUI::CSlider* slider = nullptr;
    VSTGUI::CTextEdit* text = nullptr;
    VSTGUI::CTextLabel* readout = nullptr;
    std::vector<int32_t> changedTags;
};

}  // namespace toolkit_demo
