#include "editor/RMSBackPanel.h"

#include "core/Templete.h"

bool RMSBackPanel::open(VSTGUI::CViewContainer* parent)
{
    using namespace editor::back;
    return openMeter(parent, editor::bitmap::kRmsBackPanel, kRmsKnobs, kRmsSwitches, kRmsVersion);
}

bool RMSBackPanel::engineValue(int tag, float& value) const
{
    const auto* engine = effect ? effect->rmsMeter() : nullptr;
    if (!engine)
        return false;
    value = engine->getSetting(tag);
    return true;
}

bool RMSBackPanel::engineDisplay(int tag, char* text) const
{
    const auto* engine = effect ? effect->rmsMeter() : nullptr;
    if (!engine)
        return false;
    engine->getSettingDisplay(tag, text);
    return true;
}
