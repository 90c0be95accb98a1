#pragma once

// How a normalised parameter value becomes the quantity it controls. Every
// value is clamped before any of these run, so no conversion ever sees a NaN.

#include "base/ParameterSteps.h"

#include <cmath>

namespace param {

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
