#pragma once

// A meter's settings back panel: a full-window container that covers the
// front panel while open and edits that meter's settings (and the
// calibration mode) as normalised parameters of the effect. The meter's
// engine and its table of controls (editor::back::kLayouts) make the difference.

#include "base/VstInterface.h"
#include "editor/EditorGeometry.h"

#include <cstddef>
#include <memory>
#include <vector>

class Templete;

namespace VSTGUI {
class CBitmap;
class CControl;
class CControlListener;
class CMovieBitmap;
class CQORBackPanelContainer;
class CQORCalibrationControl;
class CTextLabel;
class CViewContainer;
}  // namespace VSTGUI

class BackPanel {
public:
    static constexpr int kLabelTextSize = 16;

    // meter: 0 VU, 1 RMS, 2 PPM.
    BackPanel(Templete* effect, VSTGUI::CControlListener* editor, int meter);
    virtual ~BackPanel();
    BackPanel(const BackPanel&) = delete;
    BackPanel& operator=(const BackPanel&) = delete;

    // Builds the panel on `parent` (the editor's frame); false without a
    // parent or without the meter's background image.
    virtual bool open(VSTGUI::CViewContainer* parent);
    virtual bool openCommon(VSTGUI::CViewContainer* parent, VSTGUI::CBitmap* background);
    virtual void close();
    virtual void show();
    virtual void hide();
    // While shown: the controls follow the effect's parameters.
    virtual void setParameter(VstInt32 index, float value);
    // While shown: a control of this panel edits its parameter.
    virtual void valueChanged(VSTGUI::CControl* control);

    // The tag-65 command: opens a closed panel; closes an open one and has the
    // effect store the global settings set.
    void toggle();
    // An open panel stays above everything else in its parent, also above
    // strips attached after it.
    void bringToFront();

    bool isShown() const { return shown != 0; }
    VSTGUI::CQORBackPanelContainer* getContainer() const { return container; }
    VSTGUI::CQORCalibrationControl* getCalibrationSelector() const { return calibrationSelector; }
    VSTGUI::CMovieBitmap* getCalibrationSentence() const { return calibrationSentence; }
    // The control or value text of a setting; null when the panel has none.
    VSTGUI::CControl* getControl(int tag) const;
    VSTGUI::CTextLabel* getLabel(int tag) const;
    VSTGUI::CTextLabel* getVersionLabel() const { return versionLabel; }

protected:
    bool ownsTag(int tag) const;
    // Sets a control (and its value text) to `value`.
    void applyValue(int tag, float value);
    void refreshFromEngine();

    Templete* effect;
    VSTGUI::CControlListener* editor;

private:
    // The meter engine's normalised value and display text of a setting;
    // false when the engine is missing.
    bool engineValue(int tag, float& value) const;
    bool engineDisplay(int tag, char* text) const;

    struct Slot {
        int tag;
        VSTGUI::CControl* control;
        VSTGUI::CTextLabel* label;
    };

    bool openWithBitmap(VSTGUI::CViewContainer* parent, int backgroundId);
    void addKnob(const editor::back::Knob& knob);
    void addSwitch(const editor::back::Switch& sw);
    void addVersionLabel(const editor::Rect& rect);
    VSTGUI::CTextLabel* makeLabel(const editor::Rect& rect, const char* text);
    void placeCalibration();
    float parameter(VstInt32 index) const;
    const Slot* slot(int tag) const;

    const int meter;
    uint8_t shown = 0;
    VSTGUI::CViewContainer* parent = nullptr;
    VSTGUI::CQORBackPanelContainer* container = nullptr;  // one reference is ours
    VSTGUI::CQORCalibrationControl* calibrationSelector = nullptr;
    VSTGUI::CMovieBitmap* calibrationSentence = nullptr;
    VSTGUI::CTextLabel* versionLabel = nullptr;
    std::vector<Slot> slots;
};

// What a full panel builds for its meter.
using BackPanelFactory = std::unique_ptr<BackPanel> (*)(Templete* effect, VSTGUI::CControlListener* editor);
template <class Panel>
std::unique_ptr<BackPanel> makeBackPanel(Templete* effect, VSTGUI::CControlListener* editor)
{
    return std::make_unique<Panel>(effect, editor);
}
