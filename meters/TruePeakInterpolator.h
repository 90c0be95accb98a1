#pragma once

// Inter-sample ("precise") peak detection shared by the three engines: keeps
// the last 64 samples of each channel and answers, per new sample pair, the
// candidate of largest magnitude among the oldest sample and the
// interpolated points between taps 31 and 32.

#include <array>

class TruePeakInterpolator {
public:
    static constexpr int kTaps = 64;

    // Below 88200 Hz: three phases (4x); below 176400 Hz: one phase (2x);
    // from 176400 Hz on the oldest sample is returned as it is.
    void setSampleRate(double sampleRate);
    // Zeroes the history (precise switched, prepare).
    void clear();
    // Stores the pair, advances the history and writes the signed candidate
    // of largest magnitude per channel; an earlier candidate wins ties.
    void process(double left, double right, double& outLeft, double& outRight);
    // The same for `count` pairs in a row; outputs may not alias inputs.
    void process(const double* left, const double* right, double* outLeft, double* outRight, int count);

    // Pairs taken per pass over the history: blocks are split into runs of
    // at most this many.
    static constexpr int kRunFrames = 128;
    // Slices computed past a run's end, whose results are dropped, read
    // this many doubles of padding.
    static constexpr int kLanePad = 8;

private:
    enum class Oversampling { Quarter, Half, None };

    Oversampling mode_ = Oversampling::Quarter;
    // Linear history: the 63 samples before position `filled_` and the new
    // run after them, so each frame's 64 taps are one contiguous slice. All of
    // a run is stored before any slice is read: a vector load over a double
    // still in the store buffer would stall every frame. When a run does not
    // fit, the last 63 samples move to the front.
    static constexpr int kHistory = kTaps - 1;
    static constexpr int kCapacity = kHistory + 2 * kRunFrames;
    int filled_ = kHistory;
    alignas(64) std::array<double, kCapacity + kLanePad> historyLeft_{};
    alignas(64) std::array<double, kCapacity + kLanePad> historyRight_{};
};
