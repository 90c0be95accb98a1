#pragma once

#include "tools/vsthost/AudioSource.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vsthost {

enum class Waveform { Sine, Pink, White };

// One channel's test signal. Sines are set by their peak level, noise by its RMS level.
struct SignalRecipe {
    Waveform waveform = Waveform::Sine;
    double frequencyHz = 1000.0;
    double levelDb = -12.0;
};

std::string describe(const SignalRecipe& recipe);

// Deterministic test signal of a fixed length; each noise channel has its own seed
// so that stereo noise is uncorrelated.
class SignalGenerator : public AudioSource {
public:
    SignalGenerator(const std::vector<SignalRecipe>& channelRecipes, double sampleRate, double durationSeconds);

    int channels() const override { return static_cast<int>(channels_.size()); }
    double sampleRate() const override { return sampleRate_; }
    int read(float* const* buffers, int maxFrames) override;

private:
    class Channel {
    public:
        Channel(const SignalRecipe& recipe, double sampleRate, std::uint32_t seed);
        void fill(float* out, int frames);

    private:
        float nextWhite();
        float nextPink();

        Waveform waveform_;
        double phase_ = 0.0;
        double phaseStep_ = 0.0;
        double gain_ = 0.0;
        std::uint32_t noiseState_;
        std::array<float, 7> pinkState_{};
    };

    double sampleRate_;
    long long framesLeft_;
    std::vector<Channel> channels_;
};

}  // namespace vsthost
