#pragma once

// Quasi-peak level with a held peak, shared by the RMS and PPM meters: the
// level rises with the attack coefficient and falls with the release one;
// the hold follows the level up, stays for the hold length, then falls with
// the release coefficient.

#include "core/RelaxedValue.h"
#include "meters/SampleGuard.h"

class PeakBallistics {
public:
    struct Coefficients {
        double attack = 1.0;
        double release = 1.0;
        double holdSamples = 0.0;
    };
    // The same, set from the parameter thread and copied by the audio thread
    // at the start of a block.
    struct SharedCoefficients {
        operator Coefficients() const { return {attack, release, holdSamples}; }

        RelaxedValue<double> attack{1.0};
        RelaxedValue<double> release{1.0};
        RelaxedValue<double> holdSamples{0.0};
    };

    // A counter that never wraps: after 2^31 samples (13.5 h at 44.1 kHz) a
    // plain int would overflow and the hold would stop decaying.
    static constexpr int kHoldCounterLimit = 1 << 30;

    // Attack: 99 % of a step in timeMs; instant at or below 0.05 ms.
    static double attackFor(double timeMs, double sampleRate);
    // Release: a fall by a factor 16 (24.08 dB) in timeMs.
    static double releaseFor(double timeMs, double sampleRate);

    double level = 0.0;
    double hold = 0.0;
    int holdCounter = 0;

    void step(double x, const Coefficients& c)
    {
        // Both products first, then the pick: the comparison stays off the
        // level's dependency chain.
        const double difference = x - level;
        const double rising = difference * c.attack;
        const double falling = difference * c.release;
        level += x > level ? rising : falling;
        level = sampleguard::flushed(level);
        if (level > hold) {
            hold = level;
            holdCounter = 0;
        }
        if (holdCounter >= c.holdSamples)
            hold += (0.0 - hold) * c.release;
        holdCounter += holdCounter < kHoldCounterLimit ? 1 : 0;
        hold = sampleguard::flushed(hold);
    }
};
