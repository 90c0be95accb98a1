#pragma once

// The RMS meter's front panel.

#include "editor/CQORMeterFULLPANEL.h"

class CQORRMSMeterFULLPANEL : public CQORMeterFULLPANEL {
public:
    CQORRMSMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect);
    void refresh(double elapsedBlocks) override;

protected:
    CQORMeter2* createView(const VSTGUI::CPoint& topLeft) override;
};
