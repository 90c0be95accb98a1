#include "base/ParameterIds.h"
#include "editor/CQORPPMMeterFULLPANEL.h"

#include "editor/CQORPPMMeter2.h"
#include "editor/PPMBackPanel.h"
#include "toolkit/CViewContainer.h"

namespace {

constexpr FrontPanelStyle kPPMStyle{2, param::kPpmReference, 0.5F, &makeBackPanel<PPMBackPanel>};

}  // namespace

CQORPPMMeterFULLPANEL::CQORPPMMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect)
    : CQORMeterFULLPANEL(editor, effect, kPPMStyle)
{
}

CQORMeter2* CQORPPMMeterFULLPANEL::createView(const VSTGUI::CPoint& topLeft)
{
    return new CQORPPMMeter2(topLeft, editor);
}

void CQORPPMMeterFULLPANEL::showReadings(CQORMeter2& view, double level, double hold, double /*rms*/)
{
    static_cast<CQORPPMMeter2&>(view).setReadings(static_cast<float>(level), static_cast<float>(hold));
}
