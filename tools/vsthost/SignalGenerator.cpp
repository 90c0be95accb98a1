#include "tools/vsthost/SignalGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vsthost {

namespace {

constexpr double kTwoPi = 6.283185307179586;
// Uniform noise in -1..1 has an RMS of 1/sqrt(3).
constexpr double kWhiteRmsGain = 1.7320508075688772;
// Enough samples for the pink filter's RMS to settle within a few hundredths of a dB.
constexpr int kPinkCalibrationSamples = 1 << 18;
constexpr std::uint32_t kSeedBase = 0x9e3779b9u;

double gainFromDb(double db)
{
    return std::pow(10.0, db / 20.0);
}

}  // namespace

std::string describe(const SignalRecipe& recipe)
{
    char text[96];
    switch (recipe.waveform) {
    case Waveform::Sine:
        std::snprintf(text, sizeof text, "%g Hz sine at %.1f dBFS peak", recipe.frequencyHz, recipe.levelDb);
        break;
    case Waveform::Pink:
        std::snprintf(text, sizeof text, "pink noise at %.1f dBFS RMS", recipe.levelDb);
        break;
    case Waveform::White:
        std::snprintf(text, sizeof text, "white noise at %.1f dBFS RMS", recipe.levelDb);
        break;
    }
    return text;
}

SignalGenerator::Channel::Channel(const SignalRecipe& recipe, double sampleRate, std::uint32_t seed)
    : waveform_(recipe.waveform), noiseState_(seed ? seed : 1u)
{
    const double level = gainFromDb(recipe.levelDb);
    switch (waveform_) {
    case Waveform::Sine:
        phaseStep_ = kTwoPi * recipe.frequencyHz / sampleRate;
        gain_ = level;
        break;
    case Waveform::White:
        gain_ = level * kWhiteRmsGain;
        break;
    case Waveform::Pink: {
        // The filter's loudness depends on its coefficients only; measure it once
        // on a copy so that the stream itself starts untouched.
        Channel probe = *this;
        double sumSquares = 0.0;
        for (int i = 0; i < kPinkCalibrationSamples; ++i) {
            const double sample = probe.nextPink();
            sumSquares += sample * sample;
        }
        gain_ = level / std::sqrt(sumSquares / kPinkCalibrationSamples);
        break;
    }
    }
}

float SignalGenerator::Channel::nextWhite()
{
    // xorshift32: the same noise on every machine and library version.
    std::uint32_t x = noiseState_;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    noiseState_ = x;
    return static_cast<float>(static_cast<double>(x) / 2147483648.0 - 1.0);
}

float SignalGenerator::Channel::nextPink()
{
    // Sum of first-order filters spread over the audio band: -3 dB per octave within 0.05 dB.
    const float white = nextWhite();
    auto& b = pinkState_;
    b[0] = 0.99886f * b[0] + white * 0.0555179f;
    b[1] = 0.99332f * b[1] + white * 0.0750759f;
    b[2] = 0.96900f * b[2] + white * 0.1538520f;
    b[3] = 0.86650f * b[3] + white * 0.3104856f;
    b[4] = 0.55000f * b[4] + white * 0.5329522f;
    b[5] = -0.7616f * b[5] - white * 0.0168980f;
    const float pink = b[0] + b[1] + b[2] + b[3] + b[4] + b[5] + b[6] + white * 0.5362f;
    b[6] = white * 0.115926f;
    return pink;
}

void SignalGenerator::Channel::fill(float* out, int frames)
{
    const float gain = static_cast<float>(gain_);
    switch (waveform_) {
    case Waveform::Sine: {
        double phase = phase_;
        const double step = phaseStep_;
        for (int i = 0; i < frames; ++i) {
            out[i] = static_cast<float>(gain_ * std::sin(phase));
            phase += step;
            if (phase >= kTwoPi)
                phase -= kTwoPi;
        }
        phase_ = phase;
        break;
    }
    case Waveform::White:
        for (int i = 0; i < frames; ++i)
            out[i] = gain * nextWhite();
        break;
    case Waveform::Pink:
        for (int i = 0; i < frames; ++i)
            out[i] = gain * nextPink();
        break;
    }
}

SignalGenerator::SignalGenerator(const std::vector<SignalRecipe>& channelRecipes, double sampleRate,
                                 double durationSeconds)
    : sampleRate_(sampleRate), framesLeft_(std::llround(durationSeconds * sampleRate))
{
    std::uint32_t seed = kSeedBase;
    for (const SignalRecipe& recipe : channelRecipes) {
        channels_.emplace_back(recipe, sampleRate, seed);
        seed = seed * 1664525u + 1013904223u;
    }
}

int SignalGenerator::read(float* const* buffers, int maxFrames)
{
    const int frames = static_cast<int>(std::min<long long>(maxFrames, framesLeft_));
    if (frames <= 0)
        return 0;
    for (size_t c = 0; c < channels_.size(); ++c)
        channels_[c].fill(buffers[c], frames);
    framesLeft_ -= frames;
    return frames;
}

}  // namespace vsthost
