#pragma once

// One normalised value per setting id of one meter: the shape shared by the
// global sets, an engine's instance settings and its own stored values.

#include "meters/MeterSettingsTable.h"

#include <array>
#include <atomic>
#include <cstddef>

class SettingValues {
public:
    // Filled with the meter's defaults.
    explicit SettingValues(MeterKind meter) : table_(&MeterSettingsTable::of(meter))
    {
        for (int i = 0; i < table_->count; ++i)
            set(table_->order[i].id, table_->order[i].defaultValue);
    }

    SettingValues(const SettingValues& other) : table_(other.table_) { copyValues(other); }
    SettingValues& operator=(const SettingValues& other)
    {
        table_ = other.table_;
        copyValues(other);
        return *this;
    }

    const MeterSettingsTable& table() const { return *table_; }
    // Unknown ids read as 0 and are not written.
    float get(int id) const
    {
        return table_->contains(id) ? values_[id - table_->firstId].load(std::memory_order_relaxed) : 0.0f;
    }
    void set(int id, float value)
    {
        if (table_->contains(id))
            values_[id - table_->firstId].store(value, std::memory_order_relaxed);
    }

private:
    void copyValues(const SettingValues& other)
    {
        for (std::size_t i = 0; i < values_.size(); ++i)
            values_[i].store(other.values_[i].load(std::memory_order_relaxed), std::memory_order_relaxed);
    }

    // Written by the parameter thread, read by the editor's idle.
    const MeterSettingsTable* table_;
    std::array<std::atomic<float>, MeterSettingsTable::kMaxSettings> values_{};
};
