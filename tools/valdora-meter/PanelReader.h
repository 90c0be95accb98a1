#pragma once

// Reads the selected engine of an effect exactly as the meter's full panel
// does on an editor idle tick: value, hold (with infinite hold), RMS, over
// state, the panel's limits and the needle angle of the view's angle law.

#include "core/Templete.h"

#include <array>

namespace valdorameter {

struct ChannelReading {
    float value;  // VU needle, RMS or PPM level; linear, 1.0 = reference
    float hold;
    float rms;    // RMS meter only
    int over;     // 1 over now, 0 over since the last clear, -1 none
    double angleDeg;  // of the value needle
};

struct PanelReading {
    std::array<ChannelReading, 2> channels;
};

class PanelReader {
public:
    // meter: 0 VU, 1 RMS, 2 PPM.
    explicit PanelReader(int meter);

    // fraction: the elapsed part of the last audio block (1.0 at its end).
    const PanelReading& read(Templete& effect, double fraction);
    int meter() const { return meter_; }

private:
    void readEngine(MeterEngine& engine, double fraction);
    void applyLimits(ChannelReading& shown, double value, double hold, double rms) const;

    int meter_;
    PanelReading shown_;
};

}  // namespace valdorameter
