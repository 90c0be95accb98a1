#include "meters/DisplayDelay.h"

#include "meters/SettingConversions.h"

namespace {

constexpr float kTicksPerSecond = 0.001f;

}  // namespace

void DisplayDelay::set(float value)
{
    value_.store(value, std::memory_order_relaxed);
    delayMs_.store(static_cast<int>(conversions::usable(value) * 999.0 + 0.5), std::memory_order_relaxed);
}

void DisplayDelay::restart(float sampleRate)
{
    const int samplesPerTick = static_cast<int>(sampleRate * kTicksPerSecond);
    clock_ = Clock{samplesPerTick < 1 ? 1 : samplesPerTick, 0, 0};
    writePosition_.store(0, std::memory_order_relaxed);
    readPosition_.store(0, std::memory_order_relaxed);
}

double DisplayDelay::read(double fraction, double current, double snapshot, const HistoryRing* ring)
{
    const int delayMs = delayMs_.load(std::memory_order_relaxed);
    if (delayMs == 0) {
        if (current > snapshot)
            return current;
        if (!(fraction >= 0.0))
            fraction = 0.0;
        return (1.0 - fraction) * snapshot + fraction * current;
    }
    const int lag = delayMs < kMaxDelayMs ? delayMs : kMaxDelayMs;
    int position = writePosition_.load(std::memory_order_relaxed) - lag;
    if (position < 0)
        position += HistoryRing::kEntries;
    readPosition_.store(position, std::memory_order_relaxed);
    return ring ? ring->at(position) : 0.0;
}
