#pragma once

// Where meter settings come from, chosen process-wide by the "GSIcal"
// parameter: the shared set A (kept in the per-user store), the shared set B
// (this process only) or each engine's own instance settings.

class SettingsSource {
public:
    static constexpr int kGlobal = 0;
    static constexpr int kSession = 1;
    static constexpr int kInstance = 2;

    // The process-wide choice: Session when the library is loaded. A relaxed
    // atomic without a lock; a stale read only delays one change.
    static int current();
    static void setCurrent(int source);

    // Three-state parameter rounding: 0, 0.5 and 1 map to 0, 1 and 2.
    static int fromNormalised(float value);
    // "Global", "Session", "Instance" or "None".
    static const char* name(int source);
};
