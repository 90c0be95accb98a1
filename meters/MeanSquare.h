#pragma once

// The RMS meter's running mean square: a one-pole average of x^2 whose
// coefficient leaves 10.9 % of a step after half the integration time.

#include "meters/SampleGuard.h"
#include "meters/StereoLanes.h"

class MeanSquare {
public:
    // Single precision, as the coefficient is kept.
    static float coefficientFor(double timeMs, double sampleRate);

    // x^2 of a sine peaking at the reference averages 0.5: sqrt(ms) x 1.4142 reads 1.0.
    static double rms(double meanSquare) { return std::sqrt(meanSquare) * kSineCrest; }

    static double step(double meanSquare, double x, double coefficient)
    {
        return sampleguard::flushed((x * x - meanSquare) * coefficient + meanSquare);
    }
    // Both channels at once.
    static lanes::Pair step(lanes::Pair meanSquare, lanes::Pair x, double coefficient)
    {
        return lanes::flushed((x * x - meanSquare) * coefficient + meanSquare);
    }

private:
    static constexpr double kSineCrest = 1.4142;
};
