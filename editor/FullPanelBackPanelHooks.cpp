// Where a full panel meets its meter's settings back panel (BackPanel with
// VUBackPanel, RMSBackPanel and PPMBackPanel). Until those classes are part
// of the build the pointer stays null: the front panel then works alone and
// the tag-65 button opens nothing.

#include "editor/CQORMeterFULLPANEL.h"

void CQORMeterFULLPANEL::createBackPanel() { backPanel = nullptr; }

void CQORMeterFULLPANEL::destroyBackPanel() { backPanel = nullptr; }

bool CQORMeterFULLPANEL::backPanelShown() const { return false; }

void CQORMeterFULLPANEL::toggleBackPanel()
{
    if (!backPanel)
        return;
}

void CQORMeterFULLPANEL::forwardParameterToBackPanel(VstInt32 /*index*/, float /*value*/) {}

void CQORMeterFULLPANEL::forwardControlToBackPanel(VSTGUI::CControl* /*control*/) {}
