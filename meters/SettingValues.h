#pragma once

// One normalised value per setting id of one meter: the shape shared by the
// global sets, an engine's instance settings and its own stored values.

#include "meters/MeterSettingsTable.h"

#include <array>

class SettingValues {
public:
    // Filled with the meter's defaults.
    explicit SettingValues(MeterKind meter) : table_(&MeterSettingsTable::of(meter))
    {
        for (int i = 0; i < table_->count; ++i)
            set(table_->order[i].id, table_->order[i].defaultValue);
    }

    const MeterSettingsTable& table() const { return *table_; }
    // Unknown ids read as 0 and are not written.
    float get(int id) const { return table_->contains(id) ? values_[id - table_->firstId] : 0.0f; }
    void set(int id, float value)
    {
        if (table_->contains(id))
            values_[id - table_->firstId] = value;
    }

private:
    const MeterSettingsTable* table_;
    std::array<float, MeterSettingsTable::kMaxSettings> values_{};
};
