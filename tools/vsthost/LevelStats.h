#pragma once

#include <cstddef>
#include <vector>

namespace vsthost {

// Peak and RMS per channel over everything added, plus a count of samples that
// are not finite (which are left out of peak and RMS).
class LevelStats {
public:
    explicit LevelStats(int channels);

    void add(const float* const* buffers, int frames);

    int channels() const { return static_cast<int>(channels_.size()); }
    long long frames() const { return frames_; }
    float peak(int channel) const { return channels_[static_cast<std::size_t>(channel)].peak; }
    double rms(int channel) const;
    long long nonFinite(int channel) const { return channels_[static_cast<std::size_t>(channel)].nonFinite; }
    long long nonFiniteTotal() const;

private:
    struct Channel {
        float peak = 0.0f;
        double sumSquares = 0.0;
        long long nonFinite = 0;
    };
    std::vector<Channel> channels_;
    long long frames_ = 0;
};

// Linear magnitude in dB; minus infinity for silence.
double toDb(double magnitude);

}  // namespace vsthost
