#pragma once

// The filter strip: compact, its open/close button, caption and in/out lamp;
// expanded, the strip filters' switches, frequency sliders and the two
// frequency texts that ride above the slider handles and take typed input.

#include "editor/StripEditor.h"

#include <string>

namespace VSTGUI {
class CMovieBitmap;
class CMyTextEditAH;
class COnOffButtonH;
class CQOROnOffButtonAH;
class CQORHorizontalSwitchAH;
class CQORSliderAH;
class StripActiveButton;
}  // namespace VSTGUI

class StripFiltersEditor : public StripEditor {
public:
    static constexpr VstInt32 kHighPassTextTag = 70;
    static constexpr VstInt32 kLowPassTextTag = 71;

    using StripEditor::StripEditor;
    ~StripFiltersEditor() override;

    bool open(VSTGUI::CFrame* frame, VSTGUI::CBitmap* background, bool expanded) override;
    void showAt(const VSTGUI::CPoint& point) override;
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(VSTGUI::CControl* control) override;
    // PROCESS off makes every filter control inactive; open/close stays.
    void setProcessActive(float value);

    // Normalised frequency parameter for a typed text: "1k5", "1500" and
    // "1.5kHz" all mean 1500 Hz; the low-pass reads 0.3 to 30 as kHz.
    static float highPassValueForText(const char* text);
    static float lowPassValueForText(const char* text);

    VSTGUI::StripActiveButton* getFilterInOut() const { return filterInOut; }
    VSTGUI::CQOROnOffButtonAH* getHighPassOn() const { return highPassOn; }
    VSTGUI::CQOROnOffButtonAH* getLowPassOn() const { return lowPassOn; }
    VSTGUI::CQORSliderAH* getHighPassSlider() const { return highPassSlider; }
    VSTGUI::CQORSliderAH* getLowPassSlider() const { return lowPassSlider; }
    VSTGUI::CQORHorizontalSwitchAH* getHighPassSlope() const { return highPassSlope; }
    VSTGUI::CQORHorizontalSwitchAH* getLowPassSlope() const { return lowPassSlope; }
    VSTGUI::CMyTextEditAH* getHighPassText() const { return highPassText; }
    VSTGUI::CMyTextEditAH* getLowPassText() const { return lowPassText; }

protected:
    void forgetControls() override;
    void handHintLabel(VSTGUI::CHelpHintLabel* label) override;

private:
    void openCompact(VSTGUI::CBitmap* background);
    void openExpanded(VSTGUI::CBitmap* background);
    VSTGUI::CMyTextEditAH* makeFrequencyText(VstInt32 tag, VSTGUI::CBitmap* background, VstInt32 frequencyIndex);
    // Moves a frequency text over its slider's handle and rewrites it.
    void placeFrequencyText(VSTGUI::CMyTextEditAH* text, VstInt32 frequencyIndex, float value);
    std::string displayText(VstInt32 index) const;
    void typedChange(VstInt32 index, float value);

    VSTGUI::StripActiveButton* filterInOut = nullptr;  // the lamp in the compact form
    VSTGUI::COnOffButtonH* openClose = nullptr;
    VSTGUI::CMovieBitmap* caption = nullptr;
    VSTGUI::CQOROnOffButtonAH* highPassOn = nullptr;
    VSTGUI::CQOROnOffButtonAH* lowPassOn = nullptr;
    VSTGUI::CQORSliderAH* highPassSlider = nullptr;
    VSTGUI::CQORSliderAH* lowPassSlider = nullptr;
    VSTGUI::CQORHorizontalSwitchAH* highPassSlope = nullptr;
    VSTGUI::CQORHorizontalSwitchAH* lowPassSlope = nullptr;
    VSTGUI::CMyTextEditAH* highPassText = nullptr;
    VSTGUI::CMyTextEditAH* lowPassText = nullptr;
};
