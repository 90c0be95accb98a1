#pragma once

// Loudness to ITU-R BS.1770-4 / EBU R128 by libebur128: integrated loudness,
// loudness range, and the highest momentary and short-term loudness, read
// every plot step, with the short-term curve kept for the plot.

#include "tools/valdora-meter/FileMeasurement.h"

#include <ebur128.h>

#include <memory>
#include <vector>

namespace valdorameter {

class LoudnessMeter {
public:
    // Throws std::runtime_error when libebur128 refuses the format.
    LoudnessMeter(int channels, double rateHz, double stepSec);
    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter&) = delete;
    LoudnessMeter& operator=(const LoudnessMeter&) = delete;

    // One block of planar channels (as many as the constructor was given).
    void add(const float* const* channels, int frames);
    LoudnessMeasurement finish();

private:
    void readStep();

    ebur128_state* state_ = nullptr;
    int channels_;
    long long stepFrames_;
    long long framesToStep_;
    std::vector<float> interleaved_;
    LoudnessMeasurement result_;
};

}  // namespace valdorameter
