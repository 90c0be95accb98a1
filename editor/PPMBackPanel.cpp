#include "editor/PPMBackPanel.h"

#include "core/Templete.h"

bool PPMBackPanel::open(VSTGUI::CViewContainer* parent)
{
    using namespace editor::back;
    return openMeter(parent, editor::bitmap::kPpmBackPanel, kPpmKnobs, kPpmSwitches, kPpmVersion);
}

bool PPMBackPanel::engineValue(int tag, float& value) const
{
    const auto* engine = effect ? effect->ppmMeter() : nullptr;
    if (!engine)
        return false;
    value = engine->getSetting(tag);
    return true;
}

bool PPMBackPanel::engineDisplay(int tag, char* text) const
{
    const auto* engine = effect ? effect->ppmMeter() : nullptr;
    if (!engine)
        return false;
    engine->getSettingDisplay(tag, text);
    return true;
}
