#pragma once

// The hold mode of parameter 5, shared by the three meters. The engines only
// keep it; the full panel applies infinite hold while it is "oo".

#include "meters/SettingConversions.h"

class HoldMode {
public:
    static constexpr int kOff = 0;
    static constexpr int kInfinite = 1;
    static constexpr int kOn = 2;

    void set(float value)
    {
        value_ = value;
        mode_ = conversions::threeState(value);
    }
    float value() const { return value_; }
    int mode() const { return mode_; }

private:
    float value_ = 0.0f;
    int mode_ = kOff;
};
