#pragma once

// Left/right or mid/side metering (parameter 4, shared by the three meters)
// with the engine's own M scaling. S = L - R is never scaled.

#include "meters/SettingConversions.h"

#include <atomic>

class MidSideMatrix {
public:
    void setEnabled(float value)
    {
        value_.store(value, std::memory_order_relaxed);
        enabled_.store(conversions::switchOn(value), std::memory_order_relaxed);
    }
    void setMidScale(float typeValue) { midScale_.store(conversions::midScale(typeValue), std::memory_order_relaxed); }

    float value() const { return value_.load(std::memory_order_relaxed); }
    bool enabled() const { return enabled_.load(std::memory_order_relaxed); }
    double midScale() const { return midScale_.load(std::memory_order_relaxed); }

    // Used on locals inside the sample loops.
    static void apply(double& a, double& b, double midScale)
    {
        const double mid = (a + b) * midScale;
        b = a - b;
        a = mid;
    }

private:
    // Set from the parameter thread, read once per block by the audio thread.
    std::atomic<float> value_{0.0f};
    std::atomic<bool> enabled_{false};
    std::atomic<double> midScale_{0.7080000042915344};
};
