#pragma once

// A meter's settings back panel: a full-window container that covers the
// front panel while open and edits that meter's settings (and the
// calibration mode) as normalised parameters of the effect. The meter panels
// supply their engine and their table of controls; everything else is here.

#include "base/VstInterface.h"
#include "editor/EditorGeometry.h"

#include <cstddef>
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

    BackPanel(Templete* effect, VSTGUI::CControlListener* editor);
    virtual ~BackPanel();
    BackPanel(const BackPanel&) = delete;
    BackPanel& operator=(const BackPanel&) = delete;

    // Builds the panel on `parent` (the editor's frame); false without a
    // parent or without the meter's background image.
    virtual bool open(VSTGUI::CViewContainer* parent) = 0;
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
    // The meter engine's normalised value and display text of a setting;
    // false when the engine is missing.
    virtual bool engineValue(int tag, float& value) const = 0;
    virtual bool engineDisplay(int tag, char* text) const = 0;

    template <std::size_t Knobs, std::size_t Switches>
    bool openMeter(VSTGUI::CViewContainer* parent, int backgroundId,
                   const std::array<editor::back::Knob, Knobs>& knobs,
                   const std::array<editor::back::Switch, Switches>& switches, const editor::Rect& version)
    {
        if (!openWithBitmap(parent, backgroundId))
            return false;
        for (const auto& knob : knobs)
            addKnob(knob);
        for (const auto& sw : switches)
            addSwitch(sw);
        addVersionLabel(version);
        return true;
    }

    bool ownsTag(int tag) const;
    // Sets a control (and its value text) to `value`.
    void applyValue(int tag, float value);
    void refreshFromEngine();

    Templete* effect;
    VSTGUI::CControlListener* editor;

private:
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

    uint8_t shown = 0;
    VSTGUI::CViewContainer* parent = nullptr;
    VSTGUI::CQORBackPanelContainer* container = nullptr;  // one reference is ours
    VSTGUI::CQORCalibrationControl* calibrationSelector = nullptr;
    VSTGUI::CMovieBitmap* calibrationSentence = nullptr;
    VSTGUI::CTextLabel* versionLabel = nullptr;
    std::vector<Slot> slots;
};
