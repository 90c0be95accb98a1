#include "editor/CQORPPMMeterFULLPANEL.h"

#include "core/Templete.h"
#include "editor/CQORPPMMeter2.h"
#include "meters/MeterReading.h"
#include "toolkit/CViewContainer.h"

#include <array>

namespace {

constexpr FrontPanelStyle kPPMStyle{2, 93, 0.5F, 0.5F, 1.0F / 24.0F};

}  // namespace

CQORPPMMeterFULLPANEL::CQORPPMMeterFULLPANEL(VSTGUI::CControlListener* editor, Templete* effect)
    : CQORMeterFULLPANEL(editor, effect, kPPMStyle)
{
}

CQORMeter2* CQORPPMMeterFULLPANEL::createView(const VSTGUI::CPoint& topLeft)
{
    return new CQORPPMMeter2(topLeft, editor);
}

void CQORPPMMeterFULLPANEL::refresh(double elapsedBlocks)
{
    if (!isOpen() || !effect)
        return;
    PPMmeter* const engine = effect->ppmMeter();
    if (!engine)
        return;
    const std::array<CQORMeter2*, 2> views{controls.leftView, controls.rightView};
    for (int channel = 0; channel < 2; ++channel) {
        auto* const view = static_cast<CQORPPMMeter2*>(views[static_cast<std::size_t>(channel)]);
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
