#pragma once

// How a normalised parameter value becomes the quantity it controls. Every
// value is clamped before any of these run, so no conversion ever sees a NaN.

#include <cmath>

namespace param {

// Out-of-range values are limited, never refused; NaN counts as the bottom.
inline float clampUnit(float value)
{
    if (!(value >= 0.0f))
        return 0.0f;
    return value > 1.0f ? 1.0f : value;
}

// int(x + 0.5), truncating: 0 or 1 for values in 0..1.
inline int twoState(float value)
{
    return static_cast<int>(clampUnit(value) + 0.5f);
}

// int(x * 2 + 0.5), truncating: 0, 1 or 2.
inline int threeState(float value)
{
    return static_cast<int>(clampUnit(value) * 2.0f + 0.5f);
}

constexpr double kTrimStepDb = 0.1;
constexpr double kTrimFloorDb = -20.0;
constexpr float kTrimSteps = 400.0f;  // -20.0..+20.0 dB in 0.1 dB steps

inline float trimDbFromValue(float value)
{
    const int step = static_cast<int>(clampUnit(value) * kTrimSteps + 0.5f);
    return static_cast<float>(step * kTrimStepDb + kTrimFloorDb);
}

inline float gainFromDb(float db)
{
    return static_cast<float>(std::pow(10.0, db / 20.0));
}

constexpr float kMaxDelayMs = 999.0f;

inline int delayMsFromValue(float value)
{
    return static_cast<int>(clampUnit(value) * kMaxDelayMs + 0.5f);
}

}  // namespace param
