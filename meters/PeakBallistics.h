#pragma once

// Quasi-peak level with a held peak, shared by the RMS and PPM meters: the
// level rises with the attack coefficient and falls with the release one;
// the hold follows the level up, stays for the hold length, then falls with
// the release coefficient.

#include "base/RelaxedValue.h"
#include "meters/SampleGuard.h"
#include "meters/StereoLanes.h"

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

    // Both channels at once, lane by lane as step() does, for one block.
    // The hold is stepped as in NeedleHold::Pair: no new peak in either
    // channel is the predicted branch, and the decay is written as
    // hold - hold x release (a release of 0 while holding), the same value.
    class Pair {
    public:
        Pair(const PeakBallistics& left, const PeakBallistics& right, const Coefficients& c)
            : level_{left.level, right.level},
              hold_{left.hold, right.hold},
              counter_{static_cast<double>(left.holdCounter), static_cast<double>(right.holdCounter)},
              releaseHeld_(lanes::pick(counter_ >= c.holdSamples, lanes::splat(c.release), lanes::splat(0.0))),
              c_(c),
              releaseAtPeak_(0.0 >= c.holdSamples ? c.release : 0.0),
              releaseAfterPeak_(1.0 >= c.holdSamples ? c.release : 0.0)
        {
        }

        void step(lanes::Pair x)
        {
            // Both products first, then the pick, as in step().
            const lanes::Pair difference = x - level_;
            const lanes::Pair rising = difference * c_.attack;
            const lanes::Pair falling = difference * c_.release;
            level_ = lanes::flushed(level_ + lanes::pick(x > level_, rising, falling));

            const lanes::Pair counted = counter_ + 1.0;
            const lanes::Pair releaseIfHeld =
                lanes::pick(counted >= c_.holdSamples, lanes::splat(c_.release), lanes::splat(0.0));
            const lanes::Pair fromHeld = lanes::flushed(hold_ - hold_ * releaseHeld_);
            const lanes::Mask newPeak = level_ > hold_;
            if (__builtin_expect(lanes::any(newPeak), 0)) {
                const lanes::Pair fromPeak = lanes::flushed(level_ - level_ * releaseAtPeak_);
                hold_ = lanes::pick(newPeak, fromPeak, fromHeld);
                counter_ = lanes::pick(newPeak, lanes::splat(1.0), counted);
                releaseHeld_ = lanes::pick(newPeak, lanes::splat(releaseAfterPeak_), releaseIfHeld);
            } else {
                hold_ = fromHeld;
                counter_ = counted;
                releaseHeld_ = releaseIfHeld;
            }
        }

        lanes::Pair level() const { return level_; }
        lanes::Pair hold() const { return hold_; }

        void handBack(PeakBallistics& left, PeakBallistics& right) const
        {
            left.level = level_[0];
            right.level = level_[1];
            left.hold = hold_[0];
            right.hold = hold_[1];
            left.holdCounter = limitedCounter(counter_[0]);
            right.holdCounter = limitedCounter(counter_[1]);
        }

    private:
        static int limitedCounter(double counter)
        {
            return counter < kHoldCounterLimit ? static_cast<int>(counter) : kHoldCounterLimit;
        }

        lanes::Pair level_;
        lanes::Pair hold_;
        lanes::Pair counter_;
        lanes::Pair releaseHeld_;  // applied to the held value on the next sample
        const Coefficients c_;
        const double releaseAtPeak_;
        const double releaseAfterPeak_;
    };
};
