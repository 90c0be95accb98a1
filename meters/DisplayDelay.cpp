#include "meters/DisplayDelay.h"

#include "meters/SettingConversions.h"

namespace {

constexpr float kTicksPerSecond = 0.001f;

}  // namespace

void DisplayDelay::set(float value)
{
    value_ = value;
    delayMs_ = static_cast<int>(conversions::usable(value) * 999.0 + 0.5);
}

void DisplayDelay::restart(float sampleRate)
{
    const int samplesPerTick = static_cast<int>(sampleRate * kTicksPerSecond);
    clock_ = Clock{samplesPerTick < 1 ? 1 : samplesPerTick, 0, 0};
    readPosition_ = 0;
}

double DisplayDelay::read(double fraction, double current, double snapshot, const HistoryRing* ring)
{
    if (delayMs_ == 0) {
        if (current > snapshot)
            return current;
        if (!(fraction >= 0.0))
            fraction = 0.0;
        return (1.0 - fraction) * snapshot + fraction * current;
    }
    const int lag = delayMs_ < kMaxDelayMs ? delayMs_ : kMaxDelayMs;
    int position = clock_.writePosition - lag;
    if (position < 0)
        position += HistoryRing::kEntries;
    readPosition_ = position;
    return ring ? ring->at(position) : 0.0;
}
