#pragma once

// Left/right or mid/side metering (parameter 4, shared by the three meters)
// with the engine's own M scaling. S = L - R is never scaled.

#include "meters/SettingConversions.h"

class MidSideMatrix {
public:
    void setEnabled(float value)
    {
        value_ = value;
        enabled_ = conversions::switchOn(value);
    }
    void setMidScale(float typeValue) { midScale_ = conversions::midScale(typeValue); }

    float value() const { return value_; }
    bool enabled() const { return enabled_; }
    double midScale() const { return midScale_; }

    // Used on locals inside the sample loops.
    static void apply(double& a, double& b, double midScale)
    {
        const double mid = (a + b) * midScale;
        b = a - b;
        a = mid;
    }

private:
    float value_ = 0.0f;
    bool enabled_ = false;
    double midScale_ = 0.7080000042915344;
};
