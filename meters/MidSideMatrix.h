#pragma once

// Left/right or mid/side metering (parameter 4, shared by the three meters)
// with the engine's own M scaling. S = L - R is never scaled.

#include "meters/SettingConversions.h"
#include "meters/StereoLanes.h"

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

    // Used inside the sample loops, on both channels at once: lane 0
    // becomes M, lane 1 S.
    static lanes::Pair apply(lanes::Pair v, double midScale)
    {
        const lanes::Pair swapped = __builtin_shuffle(v, lanes::Mask{1, 0});
        const lanes::Pair mid = (v + swapped) * midScale;
        const lanes::Pair side = v - swapped;
        return __builtin_shuffle(mid, side, lanes::Mask{0, 2});
    }

private:
    // Set from the parameter thread, read once per block by the audio thread.
    std::atomic<float> value_{0.0f};
    std::atomic<bool> enabled_{false};
    std::atomic<double> midScale_{0.7080000042915344};
};
