#pragma once

// The parts every meter engine has besides its ballistics: the state the
// effect hands to all three (MS, hold mode, settings source, display lag),
// the sample rate, precise mode, the over lamps and infinite-hold maxima of
// both channels, and the view-side reading of values and overs.

#include "base/RelaxedValue.h"
#include "meters/DisplayDelay.h"
#include "meters/HoldMode.h"
#include "meters/InfiniteHold.h"
#include "meters/MidSideMatrix.h"
#include "meters/OverCounter.h"
#include "meters/SettingsSourceLink.h"
#include "meters/TruePeakInterpolator.h"

#include <array>
#include <atomic>

struct MeterFrame {
    static constexpr int kChannels = 2;
    static constexpr float kDefaultSampleRate = 44100.0f;

    MeterFrame(MeterKind meter, AudioEffect* effect) : sources(meter, effect) {}

    // A rate of 0, below 0 or NaN would leave every time constant undefined.
    void setSampleRate(float rate) { sampleRate = rate > 0.0f && rate < 1e7f ? rate : kDefaultSampleRate; }

    static bool validChannel(int channel) { return channel >= 0 && channel < kChannels; }

    double read(double fraction, double current, double snapshot, const HistoryRing* ring)
    {
        lastReading = delay.read(fraction, current, snapshot, ring);
        return lastReading;
    }

    // Without a lag the view consumes the over run here; with one it reads
    // the lamp timer recorded at the position of the last read.
    double readOverState(int channel, double runLength, const HistoryRing& timerRing)
    {
        if (!validChannel(channel))
            return -1.0;
        OverCounter& over = overs[channel];
        return delay.active() ? over.readDelayed(delay.atReadPosition(timerRing)) : over.readDirect(runLength);
    }

    double applyInfiniteHold(int channel, double hold)
    {
        return validChannel(channel) ? infiniteHolds[channel].apply(hold) : hold;
    }

    void clearOvers()
    {
        for (int c = 0; c < kChannels; ++c) {
            overs[c].clearLatch();
            infiniteHolds[c].clear();
        }
    }

    // The interpolator belongs to the audio thread: a settings change asks
    // for the clear, the next block does it before it interpolates.
    void requestInterpolatorClear() { interpolatorClearDue.store(true, std::memory_order_relaxed); }
    void clearInterpolatorIfDue()
    {
        if (interpolatorClearDue.load(std::memory_order_relaxed) &&
            interpolatorClearDue.exchange(false, std::memory_order_relaxed))
            interpolator.clear();
    }

    void resetOverCounters()
    {
        for (OverCounter& over : overs)
            over.reset();
    }

    MidSideMatrix midSide;
    HoldMode holdMode;
    DisplayDelay delay;
    SettingsSourceLink sources;
    TruePeakInterpolator interpolator;
    std::atomic<bool> interpolatorClearDue{false};
    std::atomic<bool> precise{false};  // set from the parameter thread
    RelaxedValue<float> sampleRate{kDefaultSampleRate};
    std::array<OverCounter, kChannels> overs;
    std::array<InfiniteHold, kChannels> infiniteHolds;
    double lastReading = 0.0;
};
