#pragma once

// Linear level to decibels, -inf for silence.

#include <cmath>
#include <limits>

namespace valdorameter {

inline double decibels(double linear)
{
    return linear > 0.0 ? 20.0 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

}  // namespace valdorameter
