#pragma once

// The hold mode of parameter 5, shared by the three meters. The engines only
// keep it; the full panel applies infinite hold while it is "oo".

#include "meters/SettingConversions.h"

#include <atomic>

class HoldMode {
public:
    static constexpr int kOff = 0;
    static constexpr int kInfinite = 1;
    static constexpr int kOn = 2;

    void set(float value)
    {
        value_.store(value, std::memory_order_relaxed);
        mode_.store(conversions::threeState(value), std::memory_order_relaxed);
    }
    float value() const { return value_.load(std::memory_order_relaxed); }
    int mode() const { return mode_.load(std::memory_order_relaxed); }

private:
    // Set from the parameter thread, read by the editor.
    std::atomic<float> value_{0.0f};
    std::atomic<int> mode_{kOff};
};
