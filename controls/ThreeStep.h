#pragma once

// Controls whose value takes the three positions 0, 0.5 and 1.

#include <cstdint>

namespace VSTGUI::threestep {

constexpr float kStep = 0.5f;
constexpr int32_t kPositions = 3;

// Nearest position, 0 to 2 (values outside 0..1 or not a number are kept in range).
inline int32_t position(float value)
{
    const float scaled = value * 2.f + 0.5f;
    if (!(scaled > 0.f))
        return 0;
    const auto p = static_cast<int32_t>(scaled);
    return p < kPositions ? p : kPositions - 1;
}

// One wheel notch (beyond +-0.1) moves one position, without wrapping.
inline float wheelTarget(float value, float distance, float vmin, float vmax)
{
    constexpr float kThreshold = 0.1f;
    float next = value;
    if (distance > kThreshold)
        next += kStep;
    else if (distance < -kThreshold)
        next -= kStep;
    next = static_cast<float>(position(next)) * kStep;
    if (next < vmin)
        next = vmin;
    if (next > vmax)
        next = vmax;
    return next;
}

}  // namespace VSTGUI::threestep
