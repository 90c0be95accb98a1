// The strip filters against references worked out here from the analog
// prototypes: a second-order stage is the bilinear transform of
// s^2/(s^2 + s/Q + 1) (high-pass) or 1/(s^2 + s/Q + 1) (low-pass) with the
// corner prewarped, and the one-pole is the first-order low-pass with unity
// gain at DC and half power at its design frequency.

#include "core/BlockChunker.h"
#include "core/StripFilterSection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kImpulseFrames = 1 << 16;

// Effective Q the designs use: lowered as the corner nears Nyquist.
double effectiveQ(double q, double cornerHz, double rateHz, double rolloffRatio, int power)
{
    return (1.0 - std::pow(cornerHz / (rolloffRatio * rateHz), power)) * q;
}

// |H| of the bilinear-transformed second-order prototype at hz.
double secondOrderMagnitude(bool highPass, double cornerHz, double q, double rateHz, double hz)
{
    const double corner = std::fmin(cornerHz, 0.499 * rateHz);
    const double qe = highPass ? effectiveQ(q, corner, rateHz, 0.5001, 6) : effectiveQ(q, corner, rateHz, 0.50001, 8);
    const double omega = std::tan(kPi * hz / rateHz) / std::tan(kPi * corner / rateHz);
    const double denominator = std::hypot(1.0 - omega * omega, omega / qe);
    return (highPass ? omega * omega : 1.0) / denominator;
}

double onePoleMagnitude(double pole, double rateHz, double hz)
{
    const double w = 2.0 * kPi * hz / rateHz;
    return (1.0 - pole) / std::sqrt(1.0 - 2.0 * pole * std::cos(w) + pole * pole);
}

// The pole that puts half the power at designHz, found by bisection.
double onePolePoleFor(double designHz, double rateHz)
{
    double low = 0.0;
    double high = 1.0;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (low + high);
        // More pole, less gain at the design frequency.
        if (onePoleMagnitude(mid, rateHz, designHz) > std::sqrt(0.5))
            low = mid;
        else
            high = mid;
    }
    return 0.5 * (low + high);
}

std::vector<float> impulse(int frames)
{
    std::vector<float> signal(static_cast<size_t>(frames), 0.0f);
    signal[0] = 1.0f;
    return signal;
}

void runSection(StripFilterSection& section, std::vector<float>& left, std::vector<float>& right)
{
    float* channels[] = {left.data(), right.data()};
    section.process(channels, channels, static_cast<int>(left.size()));
}

std::vector<float> impulseResponse(StripFilterSection& section)
{
    std::vector<float> left = impulse(kImpulseFrames);
    std::vector<float> right = impulse(kImpulseFrames);
    runSection(section, left, right);
    return left;
}

double measuredMagnitude(const std::vector<float>& response, double rateHz, double hz)
{
    std::complex<double> sum = 0.0;
    const double w = 2.0 * kPi * hz / rateHz;
    for (size_t n = 0; n < response.size(); ++n)
        sum += static_cast<double>(response[n]) * std::polar(1.0, -w * static_cast<double>(n));
    return std::abs(sum);
}

void prepareAt(StripFilterSection& section, float rateHz)
{
    section.setSampleRate(rateHz);
    section.updateCoefficients();
    section.clearState();
}

// Float buffers between stages: about 1e-7 relative per sample.
constexpr double kMagnitudeTolerance = 2e-5;

TEST(StripFilterSection, DefaultsAreTwelveDbHighPassAt20HzAndOnePoleAt30kHz)
{
    StripFilterSection section;
    EXPECT_FLOAT_EQ(section.highPassHz(), 20.0f);
    EXPECT_FLOAT_EQ(section.lowPassHz(), 30000.0f);
    EXPECT_EQ(section.stage(StripFilterSection::kHighPass1, StripFilterSection::kLeft).enabled(), 1);
    EXPECT_EQ(section.stage(StripFilterSection::kHighPass2, StripFilterSection::kLeft).enabled(), 0);
    EXPECT_EQ(section.stage(StripFilterSection::kLowPass1, StripFilterSection::kRight).type(), filter::kOnePoleLowPass);
    EXPECT_EQ(section.stage(StripFilterSection::kLowPass1, StripFilterSection::kRight).enabled(), 1);
    EXPECT_EQ(section.stage(StripFilterSection::kLowPass2, StripFilterSection::kRight).enabled(), 0);
    EXPECT_FLOAT_EQ(section.filterRate(), 44100.0f);
}

TEST(StripFilterSection, FrequencyValuesMapOverTwoDecades)
{
    StripFilterSection section;
    const std::vector<std::pair<float, float>> highPass = {{0.0f, 20.0f}, {0.5f, 200.0f}, {1.0f, 2000.0f}};
    for (const auto& [value, hz] : highPass) {
        section.setHighPassFrequency(value);
        EXPECT_NEAR(section.highPassHz(), hz, hz * 1e-6);
        const auto& second = section.stage(StripFilterSection::kHighPass2, StripFilterSection::kLeft);
        EXPECT_NEAR(second.frequency(), 0.7 * hz, hz * 1e-6);
        EXPECT_DOUBLE_EQ(second.q(), 0.5);
    }
    section.setLowPassFrequency(0.5f);
    EXPECT_NEAR(section.lowPassHz(), 3000.0f, 3e-3f);
    const auto& second = section.stage(StripFilterSection::kLowPass2, StripFilterSection::kLeft);
    EXPECT_NEAR(second.frequency(), 4200.0, 1e-3);
    EXPECT_NEAR(second.q(), 0.6094, 1e-4);
    EXPECT_NEAR(StripFilterSection::secondLowPassQ(30000.0f), 0.518, 1e-3);
    EXPECT_NEAR(StripFilterSection::secondLowPassQ(300.0f), 0.700, 1e-3);
}

TEST(StripFilterSection, OutOfRangeAndNonFiniteValuesAreLimited)
{
    StripFilterSection section;
    section.setHighPassFrequency(7.0f);
    EXPECT_FLOAT_EQ(section.highPassHz(), 2000.0f);
    section.setLowPassFrequency(-1.0f);
    EXPECT_FLOAT_EQ(section.lowPassHz(), 300.0f);
    section.setLowPassFrequency(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(section.lowPassHz(), 300.0f);
    EXPECT_FLOAT_EQ(section.lowPassFrequencyValue(), 0.0f);
    section.setHighPassStatus(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(section.stage(StripFilterSection::kHighPass1, StripFilterSection::kLeft).enabled(), 0);
}

TEST(StripFilterSection, UnusableRatesFallBackTo44100AndHighRatesAreCapped)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float rate : {0.0f, 32000.0f, nan, inf, -inf, -48000.0f}) {
        StripFilterSection section;
        section.setSampleRate(rate);
        EXPECT_FLOAT_EQ(section.filterRate(), 44100.0f) << rate;
        EXPECT_DOUBLE_EQ(section.stage(StripFilterSection::kHighPass1, StripFilterSection::kLeft).sampleRate(), 44100.0);
    }
    StripFilterSection section;
    section.setSampleRate(250000.0f);
    EXPECT_FLOAT_EQ(section.filterRate(), 192000.0f);
}

TEST(StripFilterSection, RateChangeKeepsFrequenciesAndRedesignsForTheNewRate)
{
    StripFilterSection section;
    section.setHighPassFrequency(0.5f);
    section.setLowPassFrequency(0.5f);
    section.setLowPassSlope(1.0f);
    const FilterStage at44k = section.stage(StripFilterSection::kLowPass2, StripFilterSection::kLeft);
    const double frequency = at44k.frequency();
    const double q = at44k.q();
    const double b0At44k = at44k.coefficients().b0;

    section.setSampleRate(96000.0f);
    section.updateCoefficients();
    const FilterStage lowPass2 = section.stage(StripFilterSection::kLowPass2, StripFilterSection::kLeft);
    EXPECT_DOUBLE_EQ(lowPass2.frequency(), frequency);
    EXPECT_DOUBLE_EQ(lowPass2.q(), q);
    EXPECT_DOUBLE_EQ(lowPass2.sampleRate(), 96000.0);
    EXPECT_NE(lowPass2.coefficients().b0, b0At44k);
    // The redesigned stage has the response the prototype gives at 96 kHz.
    section.setHighPassStatus(0.0f);
    section.setLowPassSlope(1.0f);
    section.clearState();
    const std::vector<float> response = impulseResponse(section);
    const double pole = onePolePoleFor(3000.0, 96000.0);
    for (double hz : {1000.0, 3000.0, 8000.0}) {
        const double expected = onePoleMagnitude(pole, 96000.0, hz) * secondOrderMagnitude(false, 4200.0, q, 96000.0, hz);
        EXPECT_NEAR(measuredMagnitude(response, 96000.0, hz), expected, kMagnitudeTolerance) << hz;
    }
}

TEST(StripFilterSection, SteepestSettingsMatchTheAnalogPrototypes)
{
    constexpr double rate = 48000.0;
    StripFilterSection section;
    prepareAt(section, static_cast<float>(rate));
    section.setHighPassFrequency(0.5f);  // 200 Hz, second stage at 140 Hz
    section.setHighPassSlope(1.0f);
    section.setLowPassFrequency(0.5f);   // 3 kHz one-pole, second stage at 4.2 kHz
    section.setLowPassSlope(1.0f);
    section.clearState();
    const std::vector<float> response = impulseResponse(section);
    const double q2 = std::log10(600000.0 / 3000.0) * 0.091 + 0.4;
    const double pole = onePolePoleFor(3000.0, rate);
    for (double hz : {30.0, 140.0, 200.0, 1000.0, 3000.0, 4200.0, 12000.0}) {
        const double expected = secondOrderMagnitude(true, 200.0, 0.5, rate, hz) *
                                secondOrderMagnitude(true, 140.0, 0.5, rate, hz) * onePoleMagnitude(pole, rate, hz) *
                                secondOrderMagnitude(false, 4200.0, q2, rate, hz);
        EXPECT_NEAR(measuredMagnitude(response, rate, hz), expected, kMagnitudeTolerance) << hz << " Hz";
    }
    // 24 dB per octave: an octave below the corners costs about 24 dB more than the next one.
    EXPECT_LT(measuredMagnitude(response, rate, 50.0), 0.01);
}

TEST(StripFilterSection, SecondLowPassLosesItsPeakNearNyquist)
{
    constexpr double rate = 44100.0;
    StripFilterSection section;
    section.setHighPassStatus(0.0f);
    section.setLowPassSlope(1.0f);  // 30 kHz: the second stage is held at 0.499 of the rate
    section.clearState();
    const std::vector<float> response = impulseResponse(section);
    const double q2 = std::log10(600000.0 / 30000.0) * 0.091 + 0.4;
    const double pole = onePolePoleFor(30000.0, rate);
    for (double hz : {1000.0, 10000.0, 18000.0, 21000.0}) {
        const double expected = onePoleMagnitude(pole, rate, hz) * secondOrderMagnitude(false, 42000.0, q2, rate, hz);
        EXPECT_NEAR(measuredMagnitude(response, rate, hz), expected, kMagnitudeTolerance) << hz << " Hz";
        EXPECT_LE(measuredMagnitude(response, rate, hz), 1.0);
    }
}

// A design frequency above Nyquist is not limited for the one-pole: its
// half-power point folds back to rate - frequency.
TEST(StripFilterSection, OnePoleAt30kHzStillFiltersAt44100)
{
    StripFilterSection section;
    section.setHighPassStatus(0.0f);
    section.clearState();
    const std::vector<float> response = impulseResponse(section);
    EXPECT_NEAR(measuredMagnitude(response, 44100.0, 14100.0), std::sqrt(0.5), kMagnitudeTolerance);
    EXPECT_NEAR(measuredMagnitude(response, 44100.0, 0.0), 1.0, kMagnitudeTolerance);
}

TEST(StripFilterSection, OnePoleImpulseResponseIsAGeometricSeries)
{
    constexpr double rate = 44100.0;
    StripFilterSection section;
    section.setHighPassStatus(0.0f);
    section.setLowPassFrequency(0.5f);
    section.clearState();
    const std::vector<float> response = impulseResponse(section);
    const double pole = onePolePoleFor(3000.0, rate);
    for (int n : {0, 1, 2, 10, 50}) {
        const double expected = (1.0 - pole) * std::pow(pole, n);
        EXPECT_NEAR(response[static_cast<size_t>(n)], expected, 1e-6 * std::fmax(1.0, expected)) << n;
    }
}

// Bilinear transform: z = infinity maps to s = 1/K, z = 1 to DC, z = -1 to
// infinite analog frequency.
TEST(StripFilterSection, HighPassImpulseResponseFollowsTheBilinearTransform)
{
    constexpr double rate = 44100.0;
    StripFilterSection section;
    section.setLowPassStatus(0.0f);
    section.setHighPassFrequency(0.5f);
    section.clearState();
    const std::vector<float> response = impulseResponse(section);
    const double k = std::tan(kPi * 200.0 / rate);
    const double qe = effectiveQ(0.5, 200.0, rate, 0.5001, 6);
    EXPECT_NEAR(response[0], 1.0 / (1.0 + k / qe + k * k), 1e-7);
    double sum = 0.0;
    double alternating = 0.0;
    for (size_t n = 0; n < response.size(); ++n) {
        sum += response[n];
        alternating += (n % 2 ? -1.0 : 1.0) * response[n];
    }
    EXPECT_NEAR(sum, 0.0, 1e-5);
    EXPECT_NEAR(alternating, 1.0, 1e-5);
}

TEST(StripFilterSection, BothFiltersOutPassAudioUnchanged)
{
    StripFilterSection section;
    section.setHighPassStatus(0.0f);
    section.setLowPassStatus(0.0f);
    std::vector<float> left(300);
    std::vector<float> right(300);
    for (size_t i = 0; i < left.size(); ++i) {
        left[i] = std::sin(0.37f * static_cast<float>(i)) * 0.8f;
        right[i] = 1e-38f * static_cast<float>(i);
    }
    const std::vector<float> leftIn = left;
    const std::vector<float> rightIn = right;
    runSection(section, left, right);
    EXPECT_EQ(left, leftIn);
    EXPECT_EQ(right, rightIn);
}

TEST(StripFilterSection, SlopeSwitchTouchesOnlyTheSecondHighPassStages)
{
    StripFilterSection section;
    section.setHighPassFrequency(0.3f);
    const filter::Coefficients first = section.stage(StripFilterSection::kHighPass1, StripFilterSection::kLeft).coefficients();
    const filter::Coefficients lowPass = section.stage(StripFilterSection::kLowPass1, StripFilterSection::kLeft).coefficients();
    section.setHighPassSlope(1.0f);
    for (auto channel : {StripFilterSection::kLeft, StripFilterSection::kRight}) {
        const FilterStage& second = section.stage(StripFilterSection::kHighPass2, channel);
        EXPECT_EQ(second.enabled(), 1);
        EXPECT_NE(second.coefficients().b0, 1.0);
    }
    const filter::Coefficients firstAfter = section.stage(StripFilterSection::kHighPass1, StripFilterSection::kLeft).coefficients();
    EXPECT_EQ(firstAfter.b0, first.b0);
    EXPECT_EQ(firstAfter.a1, first.a1);
    EXPECT_EQ(section.stage(StripFilterSection::kLowPass1, StripFilterSection::kLeft).coefficients().a1, lowPass.a1);
    // Switching the high-pass out also takes the second stage out.
    section.setHighPassStatus(0.0f);
    EXPECT_EQ(section.stage(StripFilterSection::kHighPass2, StripFilterSection::kLeft).enabled(), 0);
}

TEST(BlockChunker, SplitsIntoRunsOfAtMostTheChunkSize)
{
    std::vector<std::pair<int, int>> runs;
    forEachChunk(130, StripFilterSection::kChunkFrames, [&](int offset, int count) { runs.emplace_back(offset, count); });
    EXPECT_EQ(runs, (std::vector<std::pair<int, int>>{{0, 64}, {64, 64}, {128, 2}}));
    runs.clear();
    forEachChunk(10, StripFilterSection::kChunkFrames, [&](int offset, int count) { runs.emplace_back(offset, count); });
    EXPECT_EQ(runs, (std::vector<std::pair<int, int>>{{0, 10}}));
    runs.clear();
    forEachChunk(0, StripFilterSection::kChunkFrames, [&](int offset, int count) { runs.emplace_back(offset, count); });
    EXPECT_TRUE(runs.empty());
}

// A 130-frame block goes through as 64 + 64 + 2; the filter memory must
// carry across the chunk edges exactly as if the frames came one by one.
TEST(StripFilterSection, ChunkedBlockEqualsFrameByFrameProcessing)
{
    StripFilterSection whole;
    StripFilterSection single;
    for (StripFilterSection* section : {&whole, &single}) {
        section->setHighPassSlope(1.0f);
        section->setHighPassFrequency(0.6f);
        section->setLowPassSlope(1.0f);
        section->setLowPassFrequency(0.4f);
    }
    std::vector<float> left(130);
    std::vector<float> right(130);
    for (size_t i = 0; i < left.size(); ++i) {
        left[i] = std::sin(0.05f * static_cast<float>(i));
        right[i] = (i % 7 == 0) ? 1.0f : -0.25f;
    }
    std::vector<float> leftOne = left;
    std::vector<float> rightOne = right;
    runSection(whole, left, right);
    for (size_t i = 0; i < leftOne.size(); ++i) {
        float* channels[] = {&leftOne[i], &rightOne[i]};
        single.process(channels, channels, 1);
    }
    EXPECT_EQ(left, leftOne);
    EXPECT_EQ(right, rightOne);
}

TEST(StripFilterSection, NonFiniteInputDoesNotPoisonTheMemory)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf}) {
        StripFilterSection hit;
        StripFilterSection clean;
        for (StripFilterSection* section : {&hit, &clean}) {
            section->setHighPassSlope(1.0f);
            section->setLowPassSlope(1.0f);
            section->setLowPassFrequency(0.5f);
        }
        std::vector<float> left(100, 0.0f);
        std::vector<float> right(100, 0.0f);
        left[0] = bad;
        right[0] = bad;
        for (size_t i = 1; i < left.size(); ++i)
            left[i] = right[i] = std::cos(0.2f * static_cast<float>(i));
        std::vector<float> cleanLeft(left.begin() + 1, left.end());
        std::vector<float> cleanRight = cleanLeft;
        runSection(hit, left, right);
        runSection(clean, cleanLeft, cleanRight);
        EXPECT_FALSE(std::isfinite(left[0]));
        EXPECT_EQ(std::vector<float>(left.begin() + 1, left.end()), cleanLeft) << bad;
        EXPECT_EQ(std::vector<float>(right.begin() + 1, right.end()), cleanRight) << bad;
    }
}

}  // namespace
