#pragma once

// The display lag of parameter 16 (0..999 ms, the same in all three
// engines): the audio thread records the readings once per millisecond tick
// into 1001-entry rings, and the views read the entry of d ms ago. Without a
// lag nothing is recorded and the views read the running values.

#include "meters/HistoryRing.h"

#include <atomic>

class DisplayDelay {
public:
    static constexpr int kMaxDelayMs = 999;
    static constexpr int kLastPosition = HistoryRing::kEntries - 1;

    // The audio thread's millisecond clock, copied into the loop as a local.
    struct Clock {
        int samplesPerTick = 44;
        int tickCounter = 0;
        int writePosition = 0;

        // True when a new millisecond entry is due; writePosition then names it.
        bool tick()
        {
            if (++tickCounter < samplesPerTick)
                return false;
            tickCounter = 0;
            writePosition = writePosition == kLastPosition ? 0 : writePosition + 1;
            return true;
        }
    };

    void set(float value);
    float value() const { return value_.load(std::memory_order_relaxed); }
    int delayMs() const { return delayMs_.load(std::memory_order_relaxed); }
    bool active() const { return delayMs() != 0; }

    // Samples per tick from the rate (single precision, truncated) and the
    // positions back to the start.
    void restart(float sampleRate);

    Clock clock() const { return clock_; }
    // Once per block: the clock stays the audio thread's, its write position
    // is published for the editor's reads.
    void setClock(const Clock& clock)
    {
        clock_ = clock;
        writePosition_.store(clock.writePosition, std::memory_order_relaxed);
    }

    // Without a lag: a rising value at once, a falling one glides from its
    // block-start snapshot by the elapsed fraction of the block. With a lag:
    // the ring entry of delayMs ago, whose position readOverTimer reuses.
    double read(double fraction, double current, double snapshot, const HistoryRing* ring);
    // The over timer at the position the last read used.
    double atReadPosition(const HistoryRing& ring) const { return ring.at(readPosition_.load(std::memory_order_relaxed)); }

private:
    // Set from the parameter thread, read by the audio thread and the editor.
    std::atomic<float> value_{0.0f};
    std::atomic<int> delayMs_{0};
    std::atomic<int> writePosition_{0};
    std::atomic<int> readPosition_{0};
    Clock clock_;
};
