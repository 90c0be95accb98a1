#pragma once

// One meter of the delivery check: an effect with that meter selected, fed
// every block as a host feeds the plug-in, and read at every block's end as
// the meter's panel reads it, so its maxima are those the panel shows.

#include "core/Templete.h"
#include "tools/valdora-meter/FileMeasurement.h"
#include "tools/valdora-meter/MeterOptions.h"
#include "tools/valdora-meter/PanelReader.h"

#include <memory>
#include <vector>

namespace valdorameter {

class EffectMeter {
public:
    // Not thread-safe: the effects of one process share the meter settings
    // store, so build them one at a time.
    EffectMeter(const MeterOptions& options, int meter, double rateHz, int maxFrames);
    ~EffectMeter();
    EffectMeter(const EffectMeter&) = delete;
    EffectMeter& operator=(const EffectMeter&) = delete;

    // Both channels of one block; `endSec` is the audio time at its end.
    void process(const float* left, const float* right, int frames, double endSec);
    // Closes one plot step of the curve.
    void endStep();
    MeterMeasurement finish();

private:
    std::unique_ptr<Templete> effect_;
    PanelReader reader_;
    std::vector<float> left_;
    std::vector<float> right_;
    MeterMeasurement result_;
    bool overShown_ = false;
    float stepMax_ = 0.0f;
};

}  // namespace valdorameter
