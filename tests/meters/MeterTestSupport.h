#pragma once

// Test tones, block feeding and a guard that gives each test the
// process-wide settings it started with.

#include "meters/GlobalSettingsSet.h"
#include "meters/SettingsSource.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace metertest {

constexpr double kPi = 3.14159265358979323846;

// A sine of the given peak, faded in over fadeSamples so its start is no click.
inline std::vector<float> sine(double frequencyHz, double sampleRate, double peak, int count, int fadeSamples = 48,
                               double phase = 0.0)
{
    std::vector<float> samples(count);
    for (int i = 0; i < count; ++i) {
        const double fade = fadeSamples > 0 ? std::min(1.0, double(i) / fadeSamples) : 1.0;
        samples[i] = static_cast<float>(peak * fade * std::sin(2.0 * kPi * frequencyHz * i / sampleRate + phase));
    }
    return samples;
}

inline std::vector<float> constant(double value, int count)
{
    return std::vector<float>(count, static_cast<float>(value));
}

template <class Engine>
void feed(Engine& engine, const std::vector<float>& left, const std::vector<float>& right, int blockSize = 64)
{
    const int count = static_cast<int>(std::min(left.size(), right.size()));
    for (int start = 0; start < count; start += blockSize)
        engine.processBlock(left.data() + start, right.data() + start, std::min(blockSize, count - start));
}

template <class Engine>
void feed(Engine& engine, const std::vector<float>& both, int blockSize = 64)
{
    feed(engine, both, both, blockSize);
}

inline double toDb(double gain)
{
    return 20.0 * std::log10(gain);
}

// Engines write their settings into the shared sets; each test puts them back.
class ProcessSettingsGuard {
public:
    ProcessSettingsGuard()
        : source_(SettingsSource::current()),
          saved_{GlobalSettingsSet::of(MeterKind::Vu, 0), GlobalSettingsSet::of(MeterKind::Vu, 1),
                 GlobalSettingsSet::of(MeterKind::Rms, 0), GlobalSettingsSet::of(MeterKind::Rms, 1),
                 GlobalSettingsSet::of(MeterKind::Ppm, 0), GlobalSettingsSet::of(MeterKind::Ppm, 1)}
    {
    }
    ~ProcessSettingsGuard()
    {
        SettingsSource::setCurrent(source_);
        int i = 0;
        for (MeterKind meter : {MeterKind::Vu, MeterKind::Rms, MeterKind::Ppm}) {
            GlobalSettingsSet::of(meter, 0) = saved_[i++];
            GlobalSettingsSet::of(meter, 1) = saved_[i++];
        }
    }

private:
    int source_;
    std::vector<SettingValues> saved_;
};

}  // namespace metertest
