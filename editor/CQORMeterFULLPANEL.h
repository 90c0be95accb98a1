#pragma once

// The front panel of one meter: a 586 x 169 container with the meter's two
// views, the common front controls, the front reference control and (when
// built in) the meter's settings back panel. Not a view itself: it builds
// and owns the container, follows parameter changes into its controls, turns
// control changes into parameter changes and, on every editor idle tick,
// copies the engine's readings into its views.

#include "base/VstInterface.h"
#include "editor/EditorGeometry.h"
#include "meters/HoldMode.h"
#include "toolkit/CPoint.h"

#include <cstdint>
#include <memory>

class Templete;
class CQORMeter2;
class BackPanel;

namespace VSTGUI {
class CControl;
class CBitmap;
class CControlListener;
class CFrame;
class CViewContainer;
class CHelpHintLabel;
class CQORCalibrationControl;
class CQORMeterSelectorControl;
class CQORSliderAH;
class CQOROnOffButton;
class CQOROnOffButtonH;
class CMovieBitmap;
class CQORHorizontalSwitch;
class CFrontReferenceControl;
class CMyTextEditAH;
class CQSKickButtonH;
}  // namespace VSTGUI

// What differs between the three meters' front panels besides their views.
struct FrontPanelStyle {
    int meter;  // 0 VU, 1 RMS, 2 PPM
    int32_t referenceTag;
    float referenceDragRange;
    std::unique_ptr<BackPanel> (*makeBackPanel)(Templete* effect, VSTGUI::CControlListener* editor);
};

// Non-owning pointers to what the container holds; null while closed.
struct FrontControls {
    VSTGUI::CQORCalibrationControl* calibration = nullptr;
    VSTGUI::CQORMeterSelectorControl* meterSelector = nullptr;
    VSTGUI::CQORSliderAH* trimSlider = nullptr;
    VSTGUI::CMyTextEditAH* trimText = nullptr;
    VSTGUI::CQOROnOffButtonH* process = nullptr;
    VSTGUI::CQOROnOffButtonH* strips = nullptr;
    VSTGUI::CQSKickButtonH* manual = nullptr;
    VSTGUI::CHelpHintLabel* hint = nullptr;
    VSTGUI::CQOROnOffButton* lrMs = nullptr;
    VSTGUI::CMovieBitmap* leftCaption = nullptr;
    VSTGUI::CMovieBitmap* rightCaption = nullptr;
    VSTGUI::CQORHorizontalSwitch* hold = nullptr;
    VSTGUI::CFrontReferenceControl* reference = nullptr;
    CQORMeter2* leftView = nullptr;
    CQORMeter2* rightView = nullptr;
};

class CQORMeterFULLPANEL {
public:
    static constexpr int32_t kTagBackPanel = 65;
    static constexpr int32_t kTagCaption = 66;
    static constexpr int32_t kTagTrimText = 68;

    CQORMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect, const FrontPanelStyle& style);
    virtual ~CQORMeterFULLPANEL();
    CQORMeterFULLPANEL(const CQORMeterFULLPANEL&) = delete;
    CQORMeterFULLPANEL& operator=(const CQORMeterFULLPANEL&) = delete;

    // Builds the container and its controls from the effect's parameters;
    // the container is attached to the frame only by show.
    virtual bool open(VSTGUI::CFrame* frame);
    virtual void close();
    virtual void show();
    virtual void hide();
    virtual void setParameter(VstInt32 index, float value);
    virtual void valueChanged(VSTGUI::CControl* control);
    // Copies the engine's readings into the views; elapsedBlocks is the time
    // since the last audio block in units of blocks.
    virtual void refresh(double elapsedBlocks);

    bool isOpen() const { return opened; }
    bool isShown() const;
    int meter() const { return style.meter; }
    VSTGUI::CViewContainer* getContainer() const { return container; }
    VSTGUI::CHelpHintLabel* getHintLabel() const { return controls.hint; }
    BackPanel* getBackPanel() const { return backPanel.get(); }
    const FrontControls& getControls() const { return controls; }

    // The trim parameter value a typed text gives: its leading number in dB,
    // 0 dB without one, limited to the trim's -20..+20 dB.
    static float trimValueFromText(const char* text);

protected:
    // The meter's two views, created at the given top-left corners.
    virtual CQORMeter2* createView(const VSTGUI::CPoint& topLeft) = 0;
    // Writes one channel's readings into its view (rms is 0 for a meter
    // without a mean square).
    virtual void showReadings(CQORMeter2& view, double level, double hold, double rms) = 0;
    // The reference text follows the engine's display of its setting.
    void refreshReferenceText();
    Templete* effect;
    VSTGUI::CControlListener* editor;
    FrontControls controls;

private:
    void addCommonControls(VSTGUI::CBitmap* panelImage);
    void addMeterControls();
    void addViews();
    void addReferenceControl();
    void setReferenceShown(bool shown);
    void setTrimActive(float processValue);
    void setTrimText();
    float parameter(VstInt32 index) const;

    FrontPanelStyle style;
    VSTGUI::CFrame* frame = nullptr;
    VSTGUI::CViewContainer* container = nullptr;
    std::unique_ptr<BackPanel> backPanel;
    bool referenceInContainer = false;
    bool opened = false;
};
