#pragma once

// Over detection of one channel: counts samples in a row at or above the
// threshold. A run that reaches N stays counted until it is consumed (by the
// view without a display lag, by the millisecond tick with one), a shorter
// run is dropped by the first quiet sample. The counter starts at -1 after
// prepare, so the very first run needs N + 1 samples.

class OverCounter {
public:
    static constexpr double kTimerTicks = 30.0;  // lamp time of a recorded over, in ms ticks

    // Audio thread, per sample; branch-free selects.
    static double count(double counter, double x, double threshold, double runLength)
    {
        const double kept = counter < runLength ? 0.0 : counter;
        return x >= threshold ? counter + 1.0 : kept;
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

    double counter = -1.0;
    double timer = 0.0;
    bool latched = false;

    void reset() { counter = -1.0; }

    // View side. 1.0 for a new over, 0.0 while the lamp stays latched, -1.0 otherwise.
    double readDirect(double runLength)
    {
        if (counter >= runLength) {
            counter = 0.0;
            latched = true;
            return 1.0;
        }
        return latched ? 0.0 : -1.0;
    }
    double readDelayed(double recordedTimer)
    {
        if (recordedTimer > 0.0) {
            latched = true;
            return 1.0;
        }
        return latched ? 0.0 : -1.0;
    }
};
