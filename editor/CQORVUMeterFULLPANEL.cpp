#include "editor/CQORVUMeterFULLPANEL.h"

#include "core/Templete.h"
#include "editor/CQORVUMeter2.h"
#include "meters/MeterReading.h"
#include "toolkit/CViewContainer.h"

#include <array>

namespace {

constexpr FrontPanelStyle kVUStyle{0, 83, 0.25F, 0.5F, 1.0F / 24.0F};

}  // namespace

CQORVUMeterFULLPANEL::CQORVUMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect)
    : CQORMeterFULLPANEL(editor, effect, kVUStyle)
{
}

CQORMeter2* CQORVUMeterFULLPANEL::createView(const VSTGUI::CPoint& topLeft)
{
    return new CQORVUMeter2(topLeft, editor);
}

void CQORVUMeterFULLPANEL::refresh(double elapsedBlocks)
{
    if (!isOpen() || !effect)
        return;
    VUmeter* const engine = effect->vuMeter();
    if (!engine)
        return;
    const std::array<CQORMeter2*, 2> views{controls.leftView, controls.rightView};
    for (int channel = 0; channel < 2; ++channel) {
        auto* const view = static_cast<CQORVUMeter2*>(views[static_cast<std::size_t>(channel)]);
        if (!view)
            continue;
        const double level = engine->readValue(elapsedBlocks, MeterReading::Level, channel);
        const double hold =
            heldReading(*engine, channel, engine->readValue(elapsedBlocks, MeterReading::Hold, channel));
        view->setReadings(static_cast<float>(level), static_cast<float>(hold));
        view->setOverState(static_cast<int>(engine->readOverState(channel)));
        view->setDirty();
    }
    engine->followGlobalSettings();
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
