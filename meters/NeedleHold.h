#pragma once

// The VU meter's held needle value: an equal needle value counts as a new
// peak, so a steady needle keeps the hold up. It needs no denormal flush: the
// needle's alternating offset keeps it from settling exactly on zero, so the
// decaying hold meets the needle long before it becomes denormal.

#include "meters/StereoLanes.h"

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

    // Both channels at once, lane by lane as step() does, for one block.
    // Most samples bring no new peak in either channel: they take one
    // predicted branch and only decay the held value, with the release
    // worked out one sample ahead so that no compare sits between one hold
    // and the next. A new peak picks lane by lane. The decay is written as
    // hold - hold x release (a release of 0 while holding), the same value
    // as above. Counters are carried as doubles (exact far beyond the
    // limit) and limited when handed back.
    class Pair {
    public:
        Pair(const NeedleHold& left, const NeedleHold& right, double holdSamples, double release)
            : hold_{left.hold, right.hold},
              counter_{static_cast<double>(left.counter), static_cast<double>(right.counter)},
              releaseHeld_(lanes::pick(holdSamples <= counter_, lanes::splat(release), lanes::splat(0.0))),
              holdSamples_(holdSamples),
              release_(release),
              releaseAtPeak_(holdSamples <= 0.0 ? release : 0.0),
              releaseAfterPeak_(holdSamples <= 1.0 ? release : 0.0)
        {
        }

        void step(lanes::Pair needle)
        {
            const lanes::Pair counted = counter_ + 1.0;
            const lanes::Pair releaseIfHeld =
                lanes::pick(holdSamples_ <= counted, lanes::splat(release_), lanes::splat(0.0));
            const lanes::Pair fromHeld = hold_ - hold_ * releaseHeld_;
            const lanes::Mask newPeak = hold_ <= needle;
            if (__builtin_expect(lanes::any(newPeak), 0)) {
                const lanes::Pair fromNeedle = needle - needle * releaseAtPeak_;
                hold_ = lanes::pick(newPeak, fromNeedle, fromHeld);
                counter_ = lanes::pick(newPeak, lanes::splat(1.0), counted);
                releaseHeld_ = lanes::pick(newPeak, lanes::splat(releaseAfterPeak_), releaseIfHeld);
            } else {
                hold_ = fromHeld;
                counter_ = counted;
                releaseHeld_ = releaseIfHeld;
            }
        }

        lanes::Pair hold() const { return hold_; }

        void handBack(NeedleHold& left, NeedleHold& right) const
        {
            left.hold = hold_[0];
            right.hold = hold_[1];
            left.counter = limitedCounter(counter_[0]);
            right.counter = limitedCounter(counter_[1]);
        }

    private:
        static int limitedCounter(double counter)
        {
            return counter < kCounterLimit ? static_cast<int>(counter) : kCounterLimit;
        }

        lanes::Pair hold_;
        lanes::Pair counter_;
        lanes::Pair releaseHeld_;  // applied to the held value on the next sample
        const double holdSamples_;
        const double release_;
        const double releaseAtPeak_;
        const double releaseAfterPeak_;
    };
};
