#pragma once

// The label strip: compact, its open/close button and caption; expanded,
// the tape label that names the track and the display lag time box.

#include "editor/StripEditor.h"

namespace VSTGUI {
class CMovieBitmap;
class COnOffButtonH;
class CQORLatencyControl;
class CQORTapeLabel;
}  // namespace VSTGUI

class StripLabelEditor : public StripEditor {
public:
    // Longest label kept; the chunk has room for it and its terminator.
    static constexpr std::size_t kMaxLabelCharacters = 38;
    // Output latency in seconds to the normalised lag time (ms / 999).
    static constexpr double kSecondsToLagTime = 1.001001;

    using StripEditor::StripEditor;
    ~StripLabelEditor() override;

    bool open(VSTGUI::CFrame* frame, VSTGUI::CBitmap* background, bool expanded) override;
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(VSTGUI::CControl* control) override;
    // Drives the pen over the tape while the label is being typed.
    void idle() override;

    VSTGUI::CQORLatencyControl* getLagTime() const { return lagTime; }
    VSTGUI::CQORTapeLabel* getTapeLabel() const { return tapeLabel; }

protected:
    void forgetControls() override;
    void handHintLabel(VSTGUI::CHelpHintLabel* label) override;

private:
    VSTGUI::COnOffButtonH* openClose = nullptr;
    VSTGUI::CMovieBitmap* caption = nullptr;
    VSTGUI::CQORLatencyControl* lagTime = nullptr;
    VSTGUI::CQORTapeLabel* tapeLabel = nullptr;
};
