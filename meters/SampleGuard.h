#pragma once

// Guards of the sample loops, written once.

#include <cmath>

namespace sampleguard {

// Added and subtracted each sample so that decaying values never turn denormal.
constexpr double kDenormalFlush = 1e-14;

inline double flushed(double value)
{
    return (value + kDenormalFlush) - kDenormalFlush;
}

// A NaN or infinite sample reads as silence: one bad sample must not leave
// the ballistics stuck on NaN for the rest of the session.
inline double finiteOrZero(float sample)
{
    return std::isfinite(sample) ? static_cast<double>(sample) : 0.0;
}

}  // namespace sampleguard
