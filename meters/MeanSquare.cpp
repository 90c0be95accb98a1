#include "meters/MeanSquare.h"

#include <cmath>

namespace {

constexpr double kRemainder = 0.109;
constexpr float kShortestSeconds = 1e-5f;

}  // namespace

float MeanSquare::coefficientFor(double timeMs, double sampleRate)
{
    const float seconds = static_cast<float>(timeMs * 0.001);
    if (!(seconds >= kShortestSeconds))
        return 1.0f;
    return static_cast<float>(1.0 - std::pow(kRemainder, 2.0 / (seconds * sampleRate)));
}
