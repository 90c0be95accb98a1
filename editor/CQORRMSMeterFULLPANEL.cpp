#include "editor/CQORRMSMeterFULLPANEL.h"

#include "core/Templete.h"
#include "editor/CQORRMSMeter2.h"
#include "meters/MeanSquare.h"
#include "meters/MeterReading.h"
#include "toolkit/CViewContainer.h"

#include <array>

namespace {

constexpr FrontPanelStyle kRMSStyle{1, 72, 0.667F, 0.3F, 1.0F / 30.0F};

}  // namespace

CQORRMSMeterFULLPANEL::CQORRMSMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect)
    : CQORMeterFULLPANEL(editor, effect, kRMSStyle)
{
}

CQORMeter2* CQORRMSMeterFULLPANEL::createView(const VSTGUI::CPoint& topLeft)
{
    return new CQORRMSMeter2(topLeft, editor);
}

void CQORRMSMeterFULLPANEL::refresh(double elapsedBlocks)
{
    if (!isOpen() || !effect)
        return;
    RMSMeter* const engine = effect->rmsMeter();
    if (!engine)
        return;
    const std::array<CQORMeter2*, 2> views{controls.leftView, controls.rightView};
    for (int channel = 0; channel < 2; ++channel) {
        auto* const view = static_cast<CQORRMSMeter2*>(views[static_cast<std::size_t>(channel)]);
        if (!view)
            continue;
        const double level = engine->readValue(elapsedBlocks, MeterReading::Level, channel);
        const double hold =
            heldReading(*engine, channel, engine->readValue(elapsedBlocks, MeterReading::Hold, channel));
        const double rms = MeanSquare::rms(engine->readValue(elapsedBlocks, MeterReading::MeanSquare, channel));
        view->setReadings(static_cast<float>(level), static_cast<float>(hold), static_cast<float>(rms));
        view->setOverState(static_cast<int>(engine->readOverState(channel)));
        view->setDirty();
    }
    engine->followGlobalSettings();
}
