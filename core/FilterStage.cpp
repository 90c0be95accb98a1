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

void FilterStage::configure(double rateHz, int type, double frequencyHz, double q, int enabled)
{
    setSampleRate(rateHz);
    type_ = type;
    setFrequency(frequencyHz);
    q_ = q;
    enabled_ = enabled;
    recompute();
}

void FilterStage::takeDesign(const FilterStage& other)
{
    sampleRateHz_ = other.sampleRateHz_;
    type_ = other.type_;
    frequencyHz_ = other.frequencyHz_;
    q_ = other.q_;
    enabled_ = other.enabled_;
    coef_ = other.coef_;
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

namespace {

// One step of the recursion; a non-finite output leaves that sample and
// restarts the memory from zero (selects, not branches).
inline float step(const filter::Coefficients& c, double x, double& x1, double& x2, double& y1, double& y2)
{
    double y = c.b0 * x + c.b1 * x1 + c.b2 * x2 - c.a1 * y1 - c.a2 * y2;
    y += kDenormalFlush;
    y -= kDenormalFlush;
    const bool finite = std::fabs(y) <= DBL_MAX;
    x2 = finite ? x1 : 0.0;
    x1 = finite ? x : 0.0;
    y2 = finite ? y1 : 0.0;
    y1 = finite ? y : 0.0;
    return static_cast<float>(y);
}

}  // namespace

void FilterStage::processPair(FilterStage& first, float* firstBuffer, FilterStage& second, float* secondBuffer,
                              int frames)
{
    if (!first.runs() || !second.runs()) {
        first.process(firstBuffer, frames);
        second.process(secondBuffer, frames);
        return;
    }
    const filter::Coefficients a = first.coef_;
    const filter::Coefficients b = second.coef_;
    double ax1 = first.x1_, ax2 = first.x2_, ay1 = first.y1_, ay2 = first.y2_;
    double bx1 = second.x1_, bx2 = second.x2_, by1 = second.y1_, by2 = second.y2_;
    for (int i = 0; i < frames; ++i) {
        firstBuffer[i] = step(a, firstBuffer[i], ax1, ax2, ay1, ay2);
        secondBuffer[i] = step(b, secondBuffer[i], bx1, bx2, by1, by2);
    }
    first.x1_ = ax1;
    first.x2_ = ax2;
    first.y1_ = ay1;
    first.y2_ = ay2;
    second.x1_ = bx1;
    second.x2_ = bx2;
    second.y1_ = by1;
    second.y2_ = by2;
}

void FilterStage::process(float* buffer, int frames)
{
    if (type_ == filter::kNone)
        return;
    if (!enabled_) {
        clearMemory();
        return;
    }
    const filter::Coefficients c = coef_;
    double x1 = x1_, x2 = x2_, y1 = y1_, y2 = y2_;
    for (int i = 0; i < frames; ++i)
        buffer[i] = step(c, buffer[i], x1, x2, y1, y2);
    x1_ = x1;
    x2_ = x2;
    y1_ = y1;
    y2_ = y2;
}
