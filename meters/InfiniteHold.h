#pragma once

// The largest hold reading seen since the overs were last cleared, shown
// while the hold mode is "oo".

#include <atomic>

class InfiniteHold {
public:
    double apply(double hold)
    {
        const double maximum = maximum_.load(std::memory_order_relaxed);
        if (hold <= maximum)
            return maximum;
        maximum_.store(hold, std::memory_order_relaxed);
        return hold;
    }
    // -1 lies below every reading, so the next one replaces it. Called from
    // the parameter thread; a clear that meets an apply leaves the current hold.
    void clear() { maximum_.store(-1.0, std::memory_order_relaxed); }
    double maximum() const { return maximum_.load(std::memory_order_relaxed); }

private:
    std::atomic<double> maximum_{-1.0};
};
