#pragma once

// One millisecond history of one reading: 1001 entries, allocated once with
// the engine and written by the audio thread only while a display delay is set.
// The entries are relaxed atomics: the editor reads them while they are
// written, and a relaxed store costs no more than a plain one.

#include <atomic>
#include <memory>

class HistoryRing {
public:
    static constexpr int kEntries = 1001;

    HistoryRing() : entries_(new std::atomic<double>[kEntries]()) {}

    void clear()
    {
        for (int i = 0; i < kEntries; ++i)
            entries_[i].store(0.0, std::memory_order_relaxed);
    }
    std::atomic<double>* data() { return entries_.get(); }
    double at(int position) const { return entries_[position].load(std::memory_order_relaxed); }

private:
    std::unique_ptr<std::atomic<double>[]> entries_;
};
