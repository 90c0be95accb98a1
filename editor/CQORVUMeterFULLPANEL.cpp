#include "base/ParameterIds.h"
#include "editor/CQORVUMeterFULLPANEL.h"

#include "core/Templete.h"
#include "editor/CQORVUMeter2.h"
#include "editor/VUBackPanel.h"
#include "toolkit/CViewContainer.h"

namespace {

constexpr FrontPanelStyle kVUStyle{0, param::kVuReference, 0.5F, &makeBackPanel<VUBackPanel>};

}  // namespace

CQORVUMeterFULLPANEL::CQORVUMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect)
    : CQORMeterFULLPANEL(editor, effect, kVUStyle)
{
}

CQORMeter2* CQORVUMeterFULLPANEL::createView(const VSTGUI::CPoint& topLeft)
{
    return new CQORVUMeter2(topLeft, editor);
}

void CQORVUMeterFULLPANEL::showReadings(CQORMeter2& view, double level, double hold, double /*rms*/)
{
    static_cast<CQORVUMeter2&>(view).setReadings(static_cast<float>(level), static_cast<float>(hold));
}

bool CQORVUMeterFULLPANEL::open(VSTGUI::CFrame* frame)
{
    if (!CQORMeterFULLPANEL::open(frame))
        return false;
    applyBacklight();
    return true;
}

void CQORVUMeterFULLPANEL::applyBacklight()
{
    if (!effect)
        return;
    const int backlight = CQORVUMeter2::backlightForSetting(effect->getParameter(kBacklightSetting));
    for (CQORMeter2* view : {controls.leftView, controls.rightView}) {
        if (!view)
            continue;
        static_cast<CQORVUMeter2*>(view)->setBacklight(backlight);
        view->setDirty();
    }
}

void CQORVUMeterFULLPANEL::setParameter(VstInt32 index, float value)
{
    CQORMeterFULLPANEL::setParameter(index, value);
    if (!isOpen() || index != kBacklightSetting)
        return;
    applyBacklight();
    refreshReferenceText();
}

void CQORVUMeterFULLPANEL::valueChanged(VSTGUI::CControl* control)
{
    CQORMeterFULLPANEL::valueChanged(control);
    if (isOpen() && control && control->getTag() == kBacklightSetting)
        applyBacklight();
}
