#pragma once

// The settings each meter engine carries as effect parameters: their ids,
// the names they are kept under in the per-user store and the values used
// when the store has none.

#include <array>

// Numbered as the "Meter" parameter numbers the meters.
enum class MeterKind { Vu = 0, Rms = 1, Ppm = 2 };

struct SettingEntry {
    int id;
    const char* storeName;
    float defaultValue;
};

struct MeterSettingsTable {
    static constexpr int kMaxSettings = 10;

    int firstId;
    int count;  // ids firstId .. firstId + count - 1, without gaps
    // In the order the store is read and shared sets are compared.
    std::array<SettingEntry, kMaxSettings> order;

    bool contains(int id) const { return id >= firstId && id < firstId + count; }

    static const MeterSettingsTable& of(MeterKind meter);
};
