#include "tools/vsthost/LevelStats.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vsthost {

LevelStats::LevelStats(int channels) : channels_(static_cast<size_t>(channels)) {}

void LevelStats::add(const float* const* buffers, int frames)
{
    for (size_t c = 0; c < channels_.size(); ++c) {
        const float* in = buffers[c];
        float peak = channels_[c].peak;
        double sumSquares = channels_[c].sumSquares;
        long long nonFinite = channels_[c].nonFinite;
        for (int i = 0; i < frames; ++i) {
            const float sample = in[i];
            if (!std::isfinite(sample)) {
                ++nonFinite;
                continue;
            }
            peak = std::max(peak, std::fabs(sample));
            sumSquares += static_cast<double>(sample) * sample;
        }
        channels_[c] = {peak, sumSquares, nonFinite};
    }
    frames_ += frames;
}

double LevelStats::rms(int channel) const
{
    if (frames_ == 0)
        return 0.0;
    return std::sqrt(channels_[static_cast<size_t>(channel)].sumSquares / static_cast<double>(frames_));
}

long long LevelStats::nonFiniteTotal() const
{
    long long total = 0;
    for (const Channel& channel : channels_)
        total += channel.nonFinite;
    return total;
}

double toDb(double magnitude)
{
    if (magnitude <= 0.0)
        return -std::numeric_limits<double>::infinity();
    return 20.0 * std::log10(magnitude);
}

}  // namespace vsthost
