#pragma once

// The VU meter's held needle value: an equal needle value counts as a new
// peak, so a steady needle keeps the hold up. It needs no denormal flush: the
// needle's alternating offset keeps it from settling exactly on zero, so the
// decaying hold meets the needle long before it becomes denormal.

class NeedleHold {
public:
    static constexpr int kCounterLimit = 1 << 30;  // never wraps, see PeakBallistics

    double hold = -0.05;
    int counter = 0;

    void step(double needle, double holdSamples, double release)
    {
        if (hold <= needle) {
            hold = needle;
            counter = 0;
        }
        if (holdSamples <= counter)
            hold += (0.0 - hold) * release;
        counter += counter < kCounterLimit ? 1 : 0;
    }
};
