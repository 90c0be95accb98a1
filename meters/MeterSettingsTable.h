#pragma once

// The settings each meter engine carries as effect parameters: the names they
// are kept under in the per-user store, their defaults (the store's, the
// engines' and the controls' alike), how far one wheel notch moves them and
// how their values are written.

#include <array>

// Numbered as the "Meter" parameter numbers the meters.
enum class MeterKind { Vu = 0, Rms = 1, Ppm = 2 };

struct SettingEntry {
    int id;
    const char* storeName;
    float defaultValue;
    int wheelSteps;           // notches across the whole range; 0 for a switch
    int displayDecimals;
    const char* displayUnit;  // null: the setting has no display text

    float wheelStep() const { return 1.0F / static_cast<float>(wheelSteps); }
};

struct MeterSettingsTable {
    static constexpr int kMaxSettings = 10;

    int firstId;
    int count;  // ids firstId .. firstId + count - 1, without gaps
    // In the order the store is read and shared sets are compared.
    std::array<SettingEntry, kMaxSettings> order;

    bool contains(int id) const { return id >= firstId && id < firstId + count; }

    static const MeterSettingsTable& of(MeterKind meter);
    // The entry of a meter setting id, of whichever meter; null for other ids.
    static const SettingEntry* entry(int id);
};
