#pragma once

// An engine's own settings for source "Instance". Seeded from set B the first
// time the engine uses them; from then on they only follow this engine.

#include "meters/SettingValues.h"

#include <atomic>

struct InstanceSettings {
    explicit InstanceSettings(MeterKind meter) : values(meter) {}

    SettingValues values;
    // Only ever goes from false to true, on whichever thread sets "GSIcal".
    std::atomic<bool> initialised{false};
};
