#pragma once

// Loudness to ITU-R BS.1770-4 / EBU R128 by libebur128: integrated loudness,
// loudness range, and the highest momentary (400 ms) and short-term (3 s)
// loudness, read every 100 ms, with the short-term curve kept for the plot.

#include "tools/valdora-meter/FileMeasurement.h"

#include <ebur128.h>

#include <array>
#include <vector>

namespace valdorameter {

class LoudnessMeter {
public:
    static constexpr double kStepSec = 0.1;

    // Throws std::runtime_error when libebur128 refuses the format.
    LoudnessMeter(int channels, double rateHz);
    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter&) = delete;
    LoudnessMeter& operator=(const LoudnessMeter&) = delete;

    // One block of planar channels (as many as the constructor was given).
    void add(const float* const* channels, int frames);
    LoudnessMeasurement finish();

private:
    // 30 steps of 100 ms make the short-term window, the last 4 the momentary one.
    static constexpr size_t kShortTermSteps = 30;
    static constexpr size_t kMomentarySteps = 4;

    void readStep();
    void readWindows(double& momentaryLufs, double& shortTermLufs);

    ebur128_state* state_ = nullptr;
    int channels_;
    long long stepFrames_;
    long long framesToStep_;
    // Where 100 ms is a whole number of frames, each step asks libebur128 for
    // the loudness of those 100 ms only and the windows are the means of the
    // last steps' energies: asking for the 3 s window every step would sum
    // 30 times as many samples.
    bool wholeSteps_;
    std::array<double, kShortTermSteps> stepEnergy_{};
    size_t stepIndex_ = 0;
    std::vector<float> interleaved_;
    LoudnessMeasurement result_;
};

}  // namespace valdorameter
