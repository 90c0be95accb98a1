#include "core/FilterStage.h"

#include <cfloat>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMinStageRateHz = 20000.0;
constexpr double kMaxStageRateHz = 400000.0;
constexpr double kMinFrequencyHz = 0.001;
// Keeps the second-order designs below Nyquist.
constexpr double kMaxFrequencyRatio = 0.499;
// The (1 - r) factor lowers the effective Q towards Nyquist so the designs
// never peak there; r reaches 1 just above half the rate.
constexpr double kHighPassQRolloffRatio = 0.5001;
constexpr double kLowPassQRolloffRatio = 0.50001;
constexpr double kDenormalFlush = 1e-30;

}  // namespace

void FilterStage::setSampleRate(double rateHz)
{
    const bool usable = rateHz >= kMinStageRateHz && rateHz <= kMaxStageRateHz;
    sampleRateHz_ = usable ? rateHz : kDefaultRateHz;
}

void FilterStage::setFrequency(double hz)
{
    if (!(hz >= kMinFrequencyHz))
        hz = kMinFrequencyHz;
    if (hz > sampleRateHz_)
        hz = sampleRateHz_;
    frequencyHz_ = hz;
}

void FilterStage::setEnabled(int enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    recompute();
}

void FilterStage::clearMemory()
{
    x1_ = x2_ = y1_ = y2_ = 0.0;
}

void FilterStage::recompute()
{
    coef_ = filter::Coefficients{};
    if (!enabled_)
        return;
    switch (type_) {
    case filter::kHighPass:
        designHighPass();
        break;
    case filter::kLowPass:
        designLowPass();
        break;
    case filter::kOnePoleLowPass:
        designOnePoleLowPass();
        break;
    default:
        break;
    }
}

void FilterStage::designHighPass()
{
    const double c = std::fmin(frequencyHz_, kMaxFrequencyRatio * sampleRateHz_);
    const double w = 2.0 * kPi * c / sampleRateHz_;
    const double s = std::sin(w);
    const double k = std::cos(w);
    const double r = std::pow(c / (kHighPassQRolloffRatio * sampleRateHz_), 6);
    const double qe = (1.0 - r) * q_;
    const double alpha = s / (2.0 * qe);
    const double a0 = 1.0 + alpha;
    coef_.a0 = a0;
    coef_.a1 = -2.0 * k / a0;
    coef_.a2 = (1.0 - alpha) / a0;
    coef_.b0 = (1.0 + k) / 2.0 / a0;
    coef_.b1 = -(1.0 + k) / a0;
    coef_.b2 = (1.0 + k) / 2.0 / a0;
}

void FilterStage::designLowPass()
{
    const double c = std::fmin(frequencyHz_, kMaxFrequencyRatio * sampleRateHz_);
    const double w = 2.0 * kPi * c / sampleRateHz_;
    const double s = std::sin(w);
    const double k = std::cos(w);
    const double r = std::pow(c / (kLowPassQRolloffRatio * sampleRateHz_), 8);
    const double qe = (1.0 - r) * q_;
    const double alpha = s / (2.0 * qe);
    const double a0 = 1.0 + alpha;
    coef_.a0 = a0;
    coef_.a1 = -2.0 * k / a0;
    coef_.a2 = (1.0 - alpha) / a0;
    coef_.b0 = (1.0 - k) / 2.0 / a0;
    coef_.b1 = (1.0 - k) / a0;
    coef_.b2 = (1.0 - k) / 2.0 / a0;
}

// Not limited to Nyquist: the pole formula stays stable for any frequency.
void FilterStage::designOnePoleLowPass()
{
    const double m = 2.0 - std::cos(2.0 * kPi * frequencyHz_ / sampleRateHz_);
    coef_.a0 = 1.0;
    coef_.a1 = std::sqrt(m * m - 1.0) - m;
    coef_.a2 = 0.0;
    coef_.b0 = 1.0 + coef_.a1;
    coef_.b1 = 0.0;
    coef_.b2 = 0.0;
}

void FilterStage::process(float* buffer, int frames)
{
    if (type_ == filter::kNone)
        return;
    if (!enabled_) {
        clearMemory();
        return;
    }
    const double a1 = coef_.a1, a2 = coef_.a2, b0 = coef_.b0, b1 = coef_.b1, b2 = coef_.b2;
    double x1 = x1_, x2 = x2_, y1 = y1_, y2 = y2_;
    for (int i = 0; i < frames; ++i) {
        const double x = buffer[i];
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        y += kDenormalFlush;
        y -= kDenormalFlush;
        buffer[i] = static_cast<float>(y);
        // A non-finite sample would stay in the memory for ever: that sample
        // carries it out, the memory starts afresh (selects, not branches).
        const bool finite = std::fabs(y) <= DBL_MAX;
        x2 = finite ? x1 : 0.0;
        x1 = finite ? x : 0.0;
        y2 = finite ? y1 : 0.0;
        y1 = finite ? y : 0.0;
    }
    x1_ = x1;
    x2_ = x2;
    y1_ = y1;
    y2_ = y2;
}
