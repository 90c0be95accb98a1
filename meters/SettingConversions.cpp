#include "meters/SettingConversions.h"

#include <array>
#include <cmath>

namespace conversions {
namespace {

constexpr std::array<double, 7> kRmsOverThresholds{0.5011872336, 0.5623413252, 0.6309573445, 0.7071,
                                                   0.7943282347, 0.8912509381337456, 1.0};
constexpr std::array<double, 3> kFullScaleChoices{0.7071, 0.8912509381337456, 1.0};
constexpr std::array<double, 3> kMidScales{1.0, 0.7080000042915344, 0.5};
constexpr float kDbToExponent = 0.05f;

Reference fromDb(double db, double exponent)
{
    const double gain = std::pow(10.0, exponent);
    return {db, gain, 1.0 / gain};
}

int stepped(float value, int steps)
{
    return static_cast<int>(usable(value) * steps + 0.5);
}

}  // namespace

Reference rmsReference(float value)
{
    const double db = stepped(value, 300) * 0.1 - 20.0;
    return fromDb(db, db / 20.0);
}

Reference continuousReference(float value)
{
    const double db = 24.0 * usable(value) - 24.0;
    return fromDb(db, db * static_cast<double>(kDbToExponent));
}

int overSampleCount(float value)
{
    return stepped(value, 9) + 1;
}

double midScale(float value)
{
    return kMidScales[threeState(value)];
}

double rmsOverThreshold(float thresholdValue, bool fullScale, double inverseReference)
{
    const double threshold = kRmsOverThresholds[stepped(thresholdValue, 6)];
    return fullScale ? threshold * inverseReference : threshold;
}

double choiceOverThreshold(float choiceValue, double aboveReference, double inverseReference)
{
    const int choice = stepped(choiceValue, 3);
    return choice == 0 ? aboveReference : kFullScaleChoices[choice - 1] * inverseReference;
}

}  // namespace conversions
