#pragma once

// The PPM meter's front panel.

#include "editor/CQORMeterFULLPANEL.h"

class CQORPPMMeterFULLPANEL : public CQORMeterFULLPANEL {
public:
    CQORPPMMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect);
    void refresh(double elapsedBlocks) override;

protected:
    CQORMeter2* createView(const VSTGUI::CPoint& topLeft) override;
};
