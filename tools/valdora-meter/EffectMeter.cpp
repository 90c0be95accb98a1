#include "tools/valdora-meter/EffectMeter.h"

#include "tools/valdora-meter/EffectSetup.h"

#include <algorithm>
#include <cmath>

namespace valdorameter {

EffectMeter::EffectMeter(const MeterOptions& options, int meter, double rateHz, int maxFrames)
    : effect_(std::make_unique<Templete>(toolHost)),
      reader_(meter),
      left_(static_cast<size_t>(maxFrames)),
      right_(static_cast<size_t>(maxFrames))
{
    effect_->setSampleRate(static_cast<float>(rateHz));
    configureEffect(*effect_, options, meter);
    effect_->resume();
    result_.measured = true;
    result_.referenceDbfs = referenceDb(*effect_);
}

EffectMeter::~EffectMeter()
{
    effect_->suspend();
}

void EffectMeter::process(const float* left, const float* right, int frames, double endSec)
{
    // The effect works in place, and trim or filters may change the block:
    // each meter gets its own copy of the file's samples.
    std::copy_n(left, frames, left_.data());
    std::copy_n(right, frames, right_.data());
    float* channels[] = {left_.data(), right_.data()};
    effect_->processReplacing(channels, channels, frames);

    const PanelReading& reading = reader_.read(*effect_, 1.0);
    bool overNow = false;
    for (const ChannelReading& channel : reading.channels) {
        result_.maxValue = std::max(result_.maxValue, static_cast<double>(channel.value));
        result_.maxHold = std::max(result_.maxHold, static_cast<double>(channel.hold));
        result_.maxRms = std::max(result_.maxRms, static_cast<double>(channel.rms));
        stepMax_ = std::max(stepMax_, channel.value);
        overNow = overNow || channel.over > 0;
    }
    // A run of readings that show an over is one over, timed by its first.
    if (overNow && !overShown_)
        result_.overTimesSec.push_back(endSec);
    overShown_ = overNow;
}

void EffectMeter::endStep()
{
    result_.curve.push_back(stepMax_);
    stepMax_ = 0.0f;
}

MeterMeasurement EffectMeter::finish()
{
    return std::move(result_);
}

}  // namespace valdorameter
