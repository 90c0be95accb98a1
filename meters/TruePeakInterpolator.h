#pragma once

// Inter-sample ("precise") peak detection shared by the three engines: keeps
// the last 64 samples of each channel and answers, per new sample pair, the
// candidate of largest magnitude among the oldest sample and the
// interpolated points between ring taps 31 and 32.

#include <array>

class TruePeakInterpolator {
public:
    static constexpr int kTaps = 64;

    // Below 88200 Hz: three phases (4x); below 176400 Hz: one phase (2x);
    // from 176400 Hz on the oldest sample is returned as it is.
    void setSampleRate(double sampleRate);
    // Zeroes both rings and the write index (precise switched, prepare).
    void clear();
    // Stores the pair, advances the ring and writes the signed candidate of
    // largest magnitude per channel; an earlier candidate wins ties.
    void process(double left, double right, double& outLeft, double& outRight);

private:
    enum class Oversampling { Quarter, Half, None };

    Oversampling mode_ = Oversampling::Quarter;
    // Each sample is written twice, at i and i + kTaps, so the 64 taps from
    // the oldest sample on are always one contiguous slice.
    int writeIndex_ = 0;
    alignas(32) std::array<double, 2 * kTaps> ringLeft_{};
    alignas(32) std::array<double, 2 * kTaps> ringRight_{};
};
