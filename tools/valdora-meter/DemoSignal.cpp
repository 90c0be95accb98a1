#include "tools/valdora-meter/DemoSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace valdorameter {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kToneHz = 1000.0;
constexpr double kStepSec = 1.0;
constexpr double kNoiseSec = 2.0;
constexpr double kInterSampleSec = 1.0;
constexpr double kBurstSec = 0.5;
constexpr double kSilenceSec = 1.5;
constexpr double kNoiseDb = -10.0;
constexpr double kToneStepsDb[] = {-20.0, -10.0, -3.0, 0.0};
// A sine peaking at the reference has this RMS; the noise is matched to it.
constexpr double kSineRms = 0.70710678118654752;
// Half a decibel above full scale between the samples, 2.5 dB below it on them.
constexpr double kInterSamplePeak = 1.0592537251772889;
constexpr double kBurstOverdrive = 2.0;  // twice full scale, then clipped
constexpr unsigned kNoiseSeed = 20240611u;

double gainOf(double db)
{
    return std::pow(10.0, db / 20.0);
}

std::string dbText(double db)
{
    char text[32];
    std::snprintf(text, sizeof text, "%+.0f dB", db);
    return text;
}

}  // namespace

DemoSignal::DemoSignal(double rateHz, double referenceGain) : rateHz_(rateHz), referenceGain_(referenceGain)
{
    for (double db : kToneStepsDb)
        addTone(db, kStepSec);
    addPinkNoise(kNoiseDb, kNoiseSec);
    addInterSamplePeakTone(kInterSampleSec);
    addClippingBurst(kBurstSec);
    addSilence(kSilenceSec);
}

size_t DemoSignal::framesFor(double seconds) const
{
    return static_cast<size_t>(std::lround(seconds * rateHz_));
}

void DemoSignal::append(const std::string& description, const std::vector<float>& left,
                        const std::vector<float>& right)
{
    const double start = static_cast<double>(left_.size()) / rateHz_;
    left_.insert(left_.end(), left.begin(), left.end());
    right_.insert(right_.end(), right.begin(), right.end());
    passages_.push_back({description, start, static_cast<double>(left_.size()) / rateHz_});
}

void DemoSignal::addTone(double relativeDb, double seconds)
{
    const size_t frames = framesFor(seconds);
    const double peak = referenceGain_ * gainOf(relativeDb);
    std::vector<float> tone(frames);
    for (size_t i = 0; i < frames; ++i)
        tone[i] = static_cast<float>(peak * std::sin(2.0 * kPi * kToneHz * static_cast<double>(i) / rateHz_));
    append("1 kHz sine, peak " + dbText(relativeDb) + " re reference", tone, tone);
}

// Pink by a bank of one-pole filters over white noise; left and right are
// independent, each scaled to the RMS of a sine relativeDb from the reference.
void DemoSignal::addPinkNoise(double relativeDb, double seconds)
{
    const size_t frames = framesFor(seconds);
    std::mt19937 random(kNoiseSeed);
    std::uniform_real_distribution<double> white(-1.0, 1.0);
    const double targetRms = referenceGain_ * gainOf(relativeDb) * kSineRms;
    auto pink = [&]() {
        std::vector<float> out(frames);
        double b0 = 0, b1 = 0, b2 = 0, b3 = 0, b4 = 0, b5 = 0, b6 = 0;
        double sumSquares = 0.0;
        std::vector<double> raw(frames);
        for (size_t i = 0; i < frames; ++i) {
            const double w = white(random);
            b0 = 0.99886 * b0 + w * 0.0555179;
            b1 = 0.99332 * b1 + w * 0.0750759;
            b2 = 0.96900 * b2 + w * 0.1538520;
            b3 = 0.86650 * b3 + w * 0.3104856;
            b4 = 0.55000 * b4 + w * 0.5329522;
            b5 = -0.7616 * b5 - w * 0.0168980;
            raw[i] = b0 + b1 + b2 + b3 + b4 + b5 + b6 + w * 0.5362;
            b6 = w * 0.115926;
            sumSquares += raw[i] * raw[i];
        }
        const double rms = std::sqrt(sumSquares / static_cast<double>(std::max<size_t>(frames, 1)));
        const double scale = rms > 0.0 ? targetRms / rms : 0.0;
        for (size_t i = 0; i < frames; ++i)
            out[i] = static_cast<float>(raw[i] * scale);
        return out;
    };
    const std::vector<float> left = pink();
    const std::vector<float> right = pink();
    append("pink noise, RMS of a sine " + dbText(relativeDb) + " re reference", left, right);
}

// A quarter-rate sine sampled 45 degrees off its peaks: the samples sit 3 dB
// below the wave's peak, which lies just above full scale.
void DemoSignal::addInterSamplePeakTone(double seconds)
{
    const size_t frames = framesFor(seconds);
    std::vector<float> tone(frames);
    for (size_t i = 0; i < frames; ++i)
        tone[i] = static_cast<float>(kInterSamplePeak * std::sin(kPi / 2.0 * static_cast<double>(i) + kPi / 4.0));
    append("fs/4 sine at 45 degrees: samples -2.5 dBFS, true peak +0.5 dBFS", tone, tone);
}

void DemoSignal::addClippingBurst(double seconds)
{
    const size_t frames = framesFor(seconds);
    std::vector<float> burst(frames);
    for (size_t i = 0; i < frames; ++i) {
        const double x = kBurstOverdrive * std::sin(2.0 * kPi * kToneHz * static_cast<double>(i) / rateHz_);
        burst[i] = static_cast<float>(std::clamp(x, -1.0, 1.0));
    }
    append("1 kHz sine clipped at full scale", burst, burst);
}

void DemoSignal::addSilence(double seconds)
{
    const std::vector<float> silence(framesFor(seconds), 0.0f);
    append("silence", silence, silence);
}

int DemoSignal::read(float* const* buffers, int maxFrames)
{
    const size_t left = left_.size() - readFrame_;
    const int count = static_cast<int>(std::min<size_t>(left, static_cast<size_t>(std::max(maxFrames, 0))));
    std::copy_n(left_.begin() + static_cast<std::ptrdiff_t>(readFrame_), count, buffers[0]);
    std::copy_n(right_.begin() + static_cast<std::ptrdiff_t>(readFrame_), count, buffers[1]);
    readFrame_ += static_cast<size_t>(count);
    return count;
}

}  // namespace valdorameter
