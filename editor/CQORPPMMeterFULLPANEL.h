#pragma once

// The PPM meter's front panel.

#include "editor/CQORMeterFULLPANEL.h"

class CQORPPMMeterFULLPANEL : public CQORMeterFULLPANEL {
public:
    CQORPPMMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect);

protected:
    CQORMeter2* createView(const VSTGUI::CPoint& topLeft) override;
    void showReadings(CQORMeter2& view, double level, double hold, double rms) override;
};
