#pragma once

// Over detection of one channel: counts samples in a row at or above the
// threshold. A run that reaches N stays counted until it is consumed (by the
// view without a display lag, by the millisecond tick with one), a shorter
// run is dropped by the first quiet sample. The counter starts at -1 after
// prepare, so the very first run needs N + 1 samples.

#include "meters/StereoLanes.h"

#include <atomic>

class OverCounter {
public:
    static constexpr double kTimerTicks = 30.0;  // lamp time of a recorded over, in ms ticks

    // Audio thread, per sample, both channels at once; branch-free picks.
    static lanes::Pair count(lanes::Pair counter, lanes::Pair x, double threshold, double runLength)
    {
        const lanes::Pair kept = lanes::pick(counter < runLength, lanes::splat(0.0), counter);
        return lanes::pick(x >= threshold, counter + 1.0, kept);
    }
    // Audio thread, per millisecond tick while a display lag is set:
    // moves a completed run into the lamp timer.
    static void tick(double& counter, double& timer, double runLength)
    {
        if (counter >= runLength) {
            timer = kTimerTicks;
            counter = 0.0;
        }
        if (timer > 0.0)
            timer -= 1.0;
    }

    double timer = 0.0;  // audio thread only

    void reset() { counter_.store(-1.0, std::memory_order_relaxed); }
    void clearLatch() { latched_.store(false, std::memory_order_relaxed); }

    // Audio thread, once per block: the counter the block starts from, and
    // its end value. The view consumes a run by swapping the counter to 0; if
    // it did so during the block, the block's count belongs to the consumed
    // run and the 0 stays.
    double blockStart() const { return counter_.load(std::memory_order_relaxed); }
    void publish(double startCounter, double counter)
    {
        // An unchanged count needs no locked exchange: the stored value is
        // either still the same or the view's 0, which stays either way.
        if (counter != startCounter)
            counter_.compare_exchange_strong(startCounter, counter, std::memory_order_relaxed);
    }

    // View side. 1.0 for a new over, 0.0 while the lamp stays latched, -1.0 otherwise.
    double readDirect(double runLength)
    {
        double counter = counter_.load(std::memory_order_relaxed);
        if (counter >= runLength && counter_.compare_exchange_strong(counter, 0.0, std::memory_order_relaxed)) {
            latched_.store(true, std::memory_order_relaxed);
            return 1.0;
        }
        return latched_.load(std::memory_order_relaxed) ? 0.0 : -1.0;
    }
    double readDelayed(double recordedTimer)
    {
        if (recordedTimer > 0.0) {
            latched_.store(true, std::memory_order_relaxed);
            return 1.0;
        }
        return latched_.load(std::memory_order_relaxed) ? 0.0 : -1.0;
    }

private:
    std::atomic<double> counter_{-1.0};
    std::atomic<bool> latched_{false};
};
