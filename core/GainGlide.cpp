#include "core/GainGlide.h"

#include <cmath>

namespace {

// Above this a settled gain is left unchanged by the flush below, so the
// glide can be skipped: the result is the same to the bit.
constexpr float kSettledMinimumGain = 1e-3f;

// Adding and removing it rounds gains too small to matter to exactly zero.
constexpr double kDenormalFlush = 1e-14;

}  // namespace

void GainGlide::setSampleRate(double rateHz)
{
    const float perSecond = kReferenceCoefficient * kReferenceRateHz;  // single-precision product
    coefficient_ = static_cast<float>(perSecond / rateHz);
}

void GainGlide::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int frames)
{
    const float target = this->target();
    if (jumpDue_.load(std::memory_order_relaxed) && jumpDue_.exchange(false, std::memory_order_acquire))
        current_ = jumpGain_.load(std::memory_order_relaxed);
    if (current_ == target && std::fabs(target) >= kSettledMinimumGain) {
        applySettled(inLeft, inRight, outLeft, outRight, frames);
        return;
    }
    const float coefficient = coefficient_;
    float gain = current_;
    for (int i = 0; i < frames; ++i) {
        const float glided = (target - gain) * coefficient + gain;
        const auto raised = static_cast<float>(static_cast<double>(glided) + kDenormalFlush);
        gain = static_cast<float>(static_cast<double>(raised) - kDenormalFlush);
        outLeft[i] = gain * inLeft[i];
        outRight[i] = inRight[i] * gain;
    }
    current_ = gain;
}

void GainGlide::applySettled(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                             int frames) const
{
    const float gain = current_;
    for (int i = 0; i < frames; ++i) {
        outLeft[i] = gain * inLeft[i];
        outRight[i] = inRight[i] * gain;
    }
}
