#include "editor/VUBackPanel.h"

#include "core/ParameterIds.h"
#include "core/Templete.h"

bool VUBackPanel::open(VSTGUI::CViewContainer* parent)
{
    using namespace editor::back;
    return openMeter(parent, editor::bitmap::kVuBackPanel, kVuKnobs, kVuSwitches, kVuVersion);
}

bool VUBackPanel::engineValue(int tag, float& value) const
{
    const auto* engine = effect ? effect->vuMeter() : nullptr;
    if (!engine)
        return false;
    value = engine->getSetting(tag);
    return true;
}

bool VUBackPanel::engineDisplay(int tag, char* text) const
{
    const auto* engine = effect ? effect->vuMeter() : nullptr;
    if (!engine)
        return false;
    engine->getSettingDisplay(tag, text);
    return true;
}

void VUBackPanel::setParameter(VstInt32 index, float value)
{
    float stored = value;
    if (index != param::kSettingsSource)
        engineValue(index, stored);
    BackPanel::setParameter(index, stored);
}
