#pragma once

// One millisecond history of one reading: 1001 entries, allocated once with
// the engine and written by the audio thread only while a display delay is set.

#include <memory>

class HistoryRing {
public:
    static constexpr int kEntries = 1001;

    HistoryRing() : entries_(new double[kEntries]()) {}

    void clear()
    {
        for (int i = 0; i < kEntries; ++i)
            entries_[i] = 0.0;
    }
    double* data() { return entries_.get(); }
    double at(int position) const { return entries_[position]; }

private:
    std::unique_ptr<double[]> entries_;
};
