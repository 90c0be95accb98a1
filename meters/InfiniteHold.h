#pragma once

// The largest hold reading seen since the overs were last cleared, shown
// while the hold mode is "oo".

class InfiniteHold {
public:
    double apply(double hold)
    {
        if (hold <= maximum_)
            return maximum_;
        maximum_ = hold;
        return hold;
    }
    // -1 lies below every reading, so the next one replaces it.
    void clear() { maximum_ = -1.0; }
    double maximum() const { return maximum_; }

private:
    double maximum_ = -1.0;
};
