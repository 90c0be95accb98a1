#include "meters/MeterEngine.h"

#include "meters/SettingDisplay.h"

void MeterEngine::getSettingDisplay(int id, char* text) const
{
    const SettingEntry* const entry = MeterSettingsTable::entry(id);
    if (!text || !entry || !entry->displayUnit || !MeterSettingsTable::of(kind_).contains(id))
        return;
    settingdisplay::write(displayValue(id), entry->displayDecimals, entry->displayUnit, text);
}
