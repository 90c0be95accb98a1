#pragma once

// The process-wide settings sets of the meters: for each meter set A (source
// "Global", saved to the per-user store on request) and set B (source
// "Session", never saved). Both are read from the store when the library is
// loaded, so a saved set A is also the next run's starting set B. The sets
// are plain floats shared by every instance without a lock.

#include "meters/SettingValues.h"

class GlobalSettingsSet {
public:
    static constexpr int kSetA = 0;  // SettingsSource::kGlobal
    static constexpr int kSetB = 1;  // SettingsSource::kSession

    // setIndex 0 is set A, anything else set B.
    static SettingValues& of(MeterKind meter, int setIndex);

    // Reads every value of both sets of all meters from the store (RMS A,
    // RMS B, VU A, VU B, PPM A, PPM B); a missing key or value keeps the
    // default. Done once at library load; callable again to re-read.
    static void loadAll();
    // Writes set A of one meter to the store in ascending id order; a value
    // whose key cannot be created is skipped.
    static void storeSetA(MeterKind meter);
};
