#include "meters/PeakBallistics.h"

#include <cmath>

namespace {

constexpr double kAttackRemainder = 0.01;    // 99 % reached
constexpr double kReleaseRemainder = 0.0625;  // 1/16 left
constexpr double kInstantMs = 0.05;

}  // namespace

double PeakBallistics::attackFor(double timeMs, double sampleRate)
{
    if (!(timeMs > kInstantMs))
        return 1.0;
    return 1.0 - std::pow(kAttackRemainder, 1.0 / (sampleRate * timeMs * 0.001));
}

double PeakBallistics::releaseFor(double timeMs, double sampleRate)
{
    return 1.0 - std::pow(kReleaseRemainder, 1.0 / (sampleRate * timeMs * 0.001));
}
