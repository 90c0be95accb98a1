#pragma once

// The VU meter's front panel. Its views' scale backlight follows
// the VU backlight setting (88).

#include "editor/CQORMeterFULLPANEL.h"

class CQORVUMeterFULLPANEL : public CQORMeterFULLPANEL {
public:
    static constexpr VstInt32 kBacklightSetting = param::kVuBacklight;

    CQORVUMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect);
    bool open(VSTGUI::CFrame* frame) override;
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(VSTGUI::CControl* control) override;

protected:
    CQORMeter2* createView(const VSTGUI::CPoint& topLeft) override;
    void showReadings(CQORMeter2& view, double level, double hold, double rms) override;

private:
    void applyBacklight();
};
