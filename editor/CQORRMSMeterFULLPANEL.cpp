#include "base/ParameterIds.h"
#include "editor/CQORRMSMeterFULLPANEL.h"

#include "editor/CQORRMSMeter2.h"
#include "editor/RMSBackPanel.h"
#include "toolkit/CViewContainer.h"

namespace {

constexpr FrontPanelStyle kRMSStyle{1, param::kRmsReference, 0.3F, &makeBackPanel<RMSBackPanel>};

}  // namespace

CQORRMSMeterFULLPANEL::CQORRMSMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect)
    : CQORMeterFULLPANEL(editor, effect, kRMSStyle)
{
}

CQORMeter2* CQORRMSMeterFULLPANEL::createView(const VSTGUI::CPoint& topLeft)
{
    return new CQORRMSMeter2(topLeft, editor);
}

void CQORRMSMeterFULLPANEL::showReadings(CQORMeter2& view, double level, double hold, double rms)
{
    static_cast<CQORRMSMeter2&>(view).setReadings(static_cast<float>(level), static_cast<float>(hold), static_cast<float>(rms));
}
