#pragma once

// One run of a block in precise mode: the guarded samples and their
// inter-sample candidates, computed for the whole run before the engine's
// sample loop so the interpolator works on many frames per call.

#include "meters/SampleGuard.h"
#include "meters/TruePeakInterpolator.h"

#include <array>

struct PreciseRun {
    static constexpr int kFrames = TruePeakInterpolator::kRunFrames;

    // count is at most kFrames.
    void fill(const float* inLeft, const float* inRight, int count, TruePeakInterpolator& interpolator)
    {
        for (int i = 0; i < count; ++i) {
            left[i] = sampleguard::finiteOrZero(inLeft[i]);
            right[i] = sampleguard::finiteOrZero(inRight[i]);
        }
        interpolator.process(left.data(), right.data(), peakLeft.data(), peakRight.data(), count);
    }

    std::array<double, kFrames> left;
    std::array<double, kFrames> right;
    std::array<double, kFrames> peakLeft;
    std::array<double, kFrames> peakRight;
};
