#pragma once

// The trim multiplier: a one-pole glide of the applied gain toward its
// target, about 45 ms at every sample rate, applied to two channels. The
// target, the rate and the jump may be set from another thread than the
// audio one: the target and the coefficient are read once per block, and a
// jump is a request the next block carries out before it glides.

#include "core/RelaxedValue.h"

#include <atomic>

class GainGlide {
public:
    static constexpr float kReferenceRateHz = 44100.0f;
    static constexpr float kReferenceCoefficient = 0.0005f;  // per sample at the reference rate

    void setTarget(float gain) { target_.store(gain, std::memory_order_relaxed); }
    // Derives the per-sample coefficient so the time constant does not
    // depend on the rate; the rate must already be a usable one.
    void setSampleRate(double rateHz);
    // The next block starts at the target as it is now (no glide toward it).
    void jumpToTarget()
    {
        jumpGain_.store(target(), std::memory_order_relaxed);
        jumpDue_.store(true, std::memory_order_release);
    }

    // Left is written before right at every sample, so when both outputs
    // are one buffer the right channel's result is what remains.
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int frames);

    float target() const { return target_.load(std::memory_order_relaxed); }
    // The audio thread's: read it there, or between blocks.
    float current() const { return current_; }
    float coefficient() const { return coefficient_; }

private:
    void applySettled(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int frames) const;

    std::atomic<float> target_{1.0f};
    std::atomic<float> jumpGain_{1.0f};
    std::atomic<bool> jumpDue_{false};
    RelaxedValue<float> coefficient_{kReferenceCoefficient};
    float current_ = 1.0f;
};
