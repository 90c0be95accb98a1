#pragma once

// Normalised parameter values as the switches and selectors they drive, the
// one rounding that the effect, the engines and the editor all share.

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

}  // namespace param
