#include "tools/valdora-meter/LoudnessMeter.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace valdorameter {

namespace {

constexpr double kSilentLufs = -std::numeric_limits<double>::infinity();
constexpr int kModes = EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_M | EBUR128_MODE_S;

// libebur128 answers -HUGE_VAL (or a huge negative) where nothing passed the gate.
double orSilent(int status, double lufs)
{
    return status == EBUR128_SUCCESS && std::isfinite(lufs) && lufs > -200.0 ? lufs : kSilentLufs;
}

// BS.1770's loudness of a mean square and back; silence has no loudness.
constexpr double kLoudnessOffset = -0.691;
constexpr double kMsPerSecond = 1000.0;

double energyOf(double lufs)
{
    return std::isfinite(lufs) ? std::pow(10.0, (lufs - kLoudnessOffset) / 10.0) : 0.0;
}

double lufsOf(double energy)
{
    return energy > 0.0 ? kLoudnessOffset + 10.0 * std::log10(energy) : kSilentLufs;
}

}  // namespace

LoudnessMeter::LoudnessMeter(int channels, double rateHz)
    : channels_(channels),
      stepFrames_(std::max(1LL, std::llround(kStepSec * rateHz))),
      framesToStep_(stepFrames_),
      wholeSteps_(std::fabs(static_cast<double>(stepFrames_) - kStepSec * rateHz) < 1e-9)
{
    state_ = ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(std::lround(rateHz)), kModes);
    if (!state_)
        throw std::runtime_error("the loudness meter does not take this format");
    // A mono file is heard on both loudspeakers of a stereo pair.
    if (channels == 1)
        ebur128_set_channel(state_, 0, EBUR128_DUAL_MONO);
    result_ = {kSilentLufs, 0.0, kSilentLufs, kSilentLufs, {}};
}

LoudnessMeter::~LoudnessMeter()
{
    if (state_)
        ebur128_destroy(&state_);
}

void LoudnessMeter::add(const float* const* channels, int frames)
{
    int done = 0;
    while (done < frames) {
        const int run = static_cast<int>(std::min<long long>(frames - done, framesToStep_));
        interleaved_.resize(static_cast<size_t>(run) * static_cast<size_t>(channels_));
        for (int c = 0; c < channels_; ++c) {
            const float* in = channels[c] + done;
            for (int i = 0; i < run; ++i) {
                const float x = in[i];
                interleaved_[static_cast<size_t>(i * channels_ + c)] = std::isfinite(x) ? x : 0.0f;
            }
        }
        ebur128_add_frames_float(state_, interleaved_.data(), static_cast<size_t>(run));
        done += run;
        framesToStep_ -= run;
        if (framesToStep_ == 0) {
            readStep();
            framesToStep_ = stepFrames_;
        }
    }
}

void LoudnessMeter::readWindows(double& momentaryLufs, double& shortTermLufs)
{
    if (!wholeSteps_) {
        double momentary = 0.0;
        double shortTerm = 0.0;
        const int momentaryStatus = ebur128_loudness_momentary(state_, &momentary);
        const int shortTermStatus = ebur128_loudness_shortterm(state_, &shortTerm);
        momentaryLufs = orSilent(momentaryStatus, momentary);
        shortTermLufs = orSilent(shortTermStatus, shortTerm);
        return;
    }
    double stepLufs = 0.0;
    const int status = ebur128_loudness_window(state_, static_cast<unsigned long>(kStepSec * kMsPerSecond), &stepLufs);
    stepEnergy_[stepIndex_] = energyOf(orSilent(status, stepLufs));
    double momentary = 0.0;
    double shortTerm = 0.0;
    for (size_t back = 0; back < kShortTermSteps; ++back) {
        const double energy = stepEnergy_[(stepIndex_ + kShortTermSteps - back) % kShortTermSteps];
        shortTerm += energy;
        if (back < kMomentarySteps)
            momentary += energy;
    }
    stepIndex_ = (stepIndex_ + 1) % kShortTermSteps;
    momentaryLufs = lufsOf(momentary / kMomentarySteps);
    shortTermLufs = lufsOf(shortTerm / kShortTermSteps);
}

void LoudnessMeter::readStep()
{
    double m = 0.0;
    double s = 0.0;
    readWindows(m, s);
    result_.momentaryMaxLufs = std::max(result_.momentaryMaxLufs, m);
    result_.shortTermMaxLufs = std::max(result_.shortTermMaxLufs, s);
    result_.shortTermCurve.push_back(static_cast<float>(s));
}

LoudnessMeasurement LoudnessMeter::finish()
{
    double integrated = 0.0;
    const int status = ebur128_loudness_global(state_, &integrated);
    result_.integratedLufs = orSilent(status, integrated);
    double range = 0.0;
    result_.rangeLu = ebur128_loudness_range(state_, &range) == EBUR128_SUCCESS && std::isfinite(range) ? range : 0.0;
    return std::move(result_);
}

}  // namespace valdorameter
