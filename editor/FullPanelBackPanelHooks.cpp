// Where a full panel meets its meter's settings back panel: built at the end
// of the panel's open on the same frame, toggled by tag 65, told about
// parameter and control changes while it is on screen.

#include "editor/CQORMeterFULLPANEL.h"
#include "editor/PPMBackPanel.h"
#include "editor/RMSBackPanel.h"
#include "editor/VUBackPanel.h"
#include "toolkit/CFrame.h"

void CQORMeterFULLPANEL::createBackPanel()
{
    destroyBackPanel();
    switch (static_cast<editor::Meter>(style.meter)) {
    case editor::Meter::vu:
        backPanel = new VUBackPanel(effect, editor);
        break;
    case editor::Meter::rms:
        backPanel = new RMSBackPanel(effect, editor);
        break;
    case editor::Meter::ppm:
        backPanel = new PPMBackPanel(effect, editor);
        break;
    }
    if (backPanel)
        backPanel->open(frame);
}

void CQORMeterFULLPANEL::destroyBackPanel()
{
    if (backPanel)
        backPanel->close();
    delete backPanel;
    backPanel = nullptr;
}

bool CQORMeterFULLPANEL::backPanelShown() const { return backPanel && backPanel->isShown(); }

void CQORMeterFULLPANEL::toggleBackPanel()
{
    if (backPanel)
        backPanel->toggle();
}

void CQORMeterFULLPANEL::forwardParameterToBackPanel(VstInt32 index, float value)
{
    if (backPanel)
        backPanel->setParameter(index, value);
}

void CQORMeterFULLPANEL::forwardControlToBackPanel(VSTGUI::CControl* control)
{
    if (backPanel)
        backPanel->valueChanged(control);
}
