#include "meters/NeedleSection.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHighestFraction = 0.499;      // of the rate, for the design frequency
constexpr double kCorrectionNyquist = 0.50001;  // keeps the damping right close to Nyquist
constexpr int kCorrectionPower = 8;

}  // namespace

void NeedleSection::design(double sampleRate, double frequencyHz, double damping)
{
    sampleRate_ = sampleRate;
    frequencyHz_ = frequencyHz;
    damping_ = damping;
    const double f = frequencyHz < kHighestFraction * sampleRate ? frequencyHz : kHighestFraction * sampleRate;
    const double w0 = 2.0 * kPi * f / sampleRate;
    const double c = std::cos(w0);
    const double s = std::sin(w0);
    const double correction = 1.0 - std::pow(f / (kCorrectionNyquist * sampleRate), kCorrectionPower);
    const double alpha = s / (2.0 * damping * correction);
    const double a0 = 1.0 + alpha;
    coefficients_.a1 = -2.0 * c / a0;
    coefficients_.a2 = (1.0 - alpha) / a0;
    coefficients_.b0 = (1.0 - c) / 2.0 / a0;
    coefficients_.b1 = (1.0 - c) / a0;
    coefficients_.b2 = (1.0 - c) / 2.0 / a0;
    offset_ = kDenormalOffset;
}
