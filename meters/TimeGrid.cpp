#include "meters/TimeGrid.h"

#include <array>
#include <cmath>

namespace timegrid {
namespace {

constexpr float kStepPerPosition = 0.25f;
constexpr float kPositionsPerUnit = 80.0f;
constexpr double kStoredStep = 0.0125;

struct Nudge {
    float from;
    float to;
};

constexpr std::array<Nudge, 15> kGridA{{{1.75f, 1.6f},
                                         {2.0f, 1.7f},
                                         {6.0f, 6.25f},
                                         {6.25f, 6.4f},
                                         {8.0f, 8.095f},
                                         {10.0f, 10.4f},
                                         {10.25f, 10.45f},
                                         {10.5f, 10.6f},
                                         {11.75f, 11.6f},
                                         {12.0f, 11.73f},
                                         {14.0f, 14.12f},
                                         {16.0f, 16.09f},
                                         {18.0f, 18.47f},
                                         {18.25f, 18.5f},
                                         {18.5f, 18.65f}}};

constexpr std::array<Nudge, 14> kGridB{{{1.75f, 1.6f},
                                         {2.0f, 1.7f},
                                         {5.75f, 5.6f},
                                         {6.0f, 5.7f},
                                         {8.0f, 8.155f},
                                         {11.75f, 11.6f},
                                         {12.0f, 11.76f},
                                         {14.0f, 14.47f},
                                         {14.25f, 14.52f},
                                         {14.5f, 14.6f},
                                         {16.0f, 16.025f},
                                         {18.0f, 18.451f},
                                         {18.25f, 18.5f},
                                         {18.5f, 18.6f}}};

int limited(int position)
{
    return position < 0 ? 0 : (position > kLastPosition ? kLastPosition : position);
}

template <std::size_t N>
float nudged(int position, const std::array<Nudge, N>& grid)
{
    const float f = static_cast<float>(limited(position)) * kStepPerPosition;
    for (const Nudge& nudge : grid) {
        if (nudge.from == f)
            return nudge.to;
    }
    return f;
}

// NaN and out-of-range values land on the nearest end of the knob.
float usable(float value)
{
    return !(value >= 0.0f) ? 0.0f : (value > 1.0f ? 1.0f : value);
}

}  // namespace

int position(float value)
{
    return limited(static_cast<int>(kPositionsPerUnit * usable(value)));
}

int roundedPosition(float value)
{
    return limited(static_cast<int>(kPositionsPerUnit * usable(value) + 0.5f));
}

float storedValue(int position)
{
    return static_cast<float>(limited(position) * kStoredStep);
}

double gridAMs(int position)
{
    return std::pow(101.0, nudged(position, kGridA) / 20.0) - 1.0;
}

double gridBMs(int position)
{
    return 100.0 * std::pow(100.0, nudged(position, kGridB) / 20.0);
}

}  // namespace timegrid
