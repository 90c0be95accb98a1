#include "meters/TruePeakInterpolator.h"

#include "meters/TruePeakCoefficients.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kTaps = TruePeakInterpolator::kTaps;
constexpr double kPi = 3.14159265358979323846;

// The plain formula, one channel: a modulo ring, serial dot products, the
// candidates compared in order with a later one winning only when strictly larger.
class ReferenceInterpolator {
public:
    explicit ReferenceInterpolator(double sampleRate) : sampleRate_(sampleRate) {}

    double process(double sample)
    {
        ring_[index_] = sample;
        index_ = (index_ + 1) % kTaps;
        const double oldest = tap(0);
        double best = oldest;
        if (sampleRate_ < 88200.0) {
            for (const auto& phase : truepeak::kQuarterPhases)
                best = larger(best, dot(phase));
        } else if (sampleRate_ < 176400.0) {
            best = larger(best, dot(truepeak::kHalfPhase));
        }
        return best;
    }

private:
    double tap(int k) const { return ring_[(index_ + k) % kTaps]; }
    double dot(const std::array<double, kTaps>& phase) const
    {
        double total = 0.0;
        for (int k = 0; k < kTaps; ++k)
            total += phase[k] * tap(k);
        return total;
    }
    static double larger(double current, double candidate)
    {
        return std::fabs(candidate) > std::fabs(current) ? candidate : current;
    }

    double sampleRate_;
    std::array<double, kTaps> ring_{};
    int index_ = 0;
};

TEST(TruePeakInterpolator, MatchesThePlainFormulaOnRandomDataAtEveryRate)
{
    for (const double sampleRate : {44100.0, 48000.0, 96000.0, 192000.0}) {
        TruePeakInterpolator interpolator;
        interpolator.setSampleRate(sampleRate);
        interpolator.clear();
        ReferenceInterpolator referenceLeft(sampleRate);
        ReferenceInterpolator referenceRight(sampleRate);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> fullScale(-1.0, 1.0);
        for (int n = 0; n < 20000; ++n) {
            const double left = fullScale(random);
            const double right = fullScale(random) * 0.25;
            double outLeft = 0.0;
            double outRight = 0.0;
            interpolator.process(left, right, outLeft, outRight);
            const double expectedLeft = referenceLeft.process(left);
            const double expectedRight = referenceRight.process(right);
            // Summation order and fused multiply-adds differ from the serial
            // sum; the relative error of a 64-term sum stays far below 1e-12.
            ASSERT_NEAR(outLeft, expectedLeft, 1e-12 * std::fabs(expectedLeft)) << sampleRate << " Hz, n " << n;
            ASSERT_NEAR(outRight, expectedRight, 1e-12 * std::fabs(expectedRight)) << sampleRate << " Hz, n " << n;
        }
    }
}

// Largest output magnitude of a mono signal fed to both channels, after the
// ring has filled.
double peakOf(const std::vector<double>& signal, double sampleRate)
{
    TruePeakInterpolator interpolator;
    interpolator.setSampleRate(sampleRate);
    interpolator.clear();
    double peak = 0.0;
    for (std::size_t n = 0; n < signal.size(); ++n) {
        double outLeft = 0.0;
        double outRight = 0.0;
        interpolator.process(signal[n], signal[n], outLeft, outRight);
        EXPECT_EQ(outLeft, outRight);
        if (n >= 4 * kTaps)
            peak = std::fmax(peak, std::fabs(outLeft));
    }
    return peak;
}

// A sine at a quarter of the sample rate; a raised-cosine fade-in keeps the
// start from ringing through the interpolation filter.
std::vector<double> quarterRateSine(double amplitude, double phaseRad)
{
    constexpr int kFadeSamples = 64;
    std::vector<double> signal(4096);
    for (std::size_t n = 0; n < signal.size(); ++n) {
        const double fade = n < kFadeSamples ? 0.5 - 0.5 * std::cos(kPi * n / kFadeSamples) : 1.0;
        signal[n] = amplitude * fade * std::sin(kPi / 2.0 * n + phaseRad);
    }
    return signal;
}

double dB(double ratio)
{
    return 20.0 * std::log10(ratio);
}

TEST(TruePeakInterpolator, FindsThePeakBetweenSamplesOfAQuarterRateSine)
{
    const double amplitude = 0.8;
    const std::vector<double> sine = quarterRateSine(amplitude, kPi / 4.0);
    double samplePeak = 0.0;
    for (const double s : sine)
        samplePeak = std::fmax(samplePeak, std::fabs(s));
    ASSERT_NEAR(dB(samplePeak / amplitude), -3.01, 0.01);

    // 44.1 kHz uses the quarter phases, 96 kHz the half phase; both land a
    // point on the crest.
    for (const double sampleRate : {44100.0, 96000.0})
        EXPECT_NEAR(dB(peakOf(sine, sampleRate) / amplitude), 0.0, 0.2) << sampleRate << " Hz";
    // From 176.4 kHz on there is no interpolation: the sample peak.
    EXPECT_NEAR(dB(peakOf(sine, 192000.0) / amplitude), -3.01, 0.01);
}

TEST(TruePeakInterpolator, PeaksOnSamplesReadExactly)
{
    const double amplitude = 0.8;
    const std::vector<double> sine = quarterRateSine(amplitude, 0.0);
    for (const double sampleRate : {44100.0, 96000.0, 192000.0})
        EXPECT_EQ(peakOf(sine, sampleRate), amplitude) << sampleRate << " Hz";

    // A lone sample: every interpolated point is a tap below 1, the sample itself wins, sign and all.
    TruePeakInterpolator interpolator;
    interpolator.setSampleRate(44100.0);
    interpolator.clear();
    double outLeft = 0.0;
    double outRight = 0.0;
    double extremeLeft = 0.0;
    double extremeRight = 0.0;
    for (int n = 0; n < 2 * kTaps; ++n) {
        interpolator.process(n == 0 ? -0.5 : 0.0, n == 0 ? 1.0 : 0.0, outLeft, outRight);
        if (std::fabs(outLeft) > std::fabs(extremeLeft))
            extremeLeft = outLeft;
        if (std::fabs(outRight) > std::fabs(extremeRight))
            extremeRight = outRight;
    }
    EXPECT_EQ(extremeLeft, -0.5);
    EXPECT_EQ(extremeRight, 1.0);
}

TEST(TruePeakInterpolator, PassesTheOldestSampleThroughFrom176400Hz)
{
    for (const double sampleRate : {176400.0, 192000.0, 384000.0}) {
        TruePeakInterpolator interpolator;
        interpolator.setSampleRate(sampleRate);
        interpolator.clear();
        std::vector<double> input;
        for (int n = 0; n < 3 * kTaps; ++n) {
            input.push_back(std::sin(0.37 * n) - 0.5);
            double outLeft = 0.0;
            double outRight = 0.0;
            interpolator.process(input.back(), -input.back(), outLeft, outRight);
            // Tap 0 is the sample written 63 calls earlier; before that, the cleared ring.
            const double expected = n >= kTaps - 1 ? input[n - (kTaps - 1)] : 0.0;
            ASSERT_EQ(outLeft, expected) << sampleRate << " Hz, n " << n;
            ASSERT_EQ(outRight, -expected) << sampleRate << " Hz, n " << n;
        }
    }
}

TEST(TruePeakInterpolator, ChoosesThePhaseSetBySampleRate)
{
    // A lone sample walks through the taps: at the step it sits at tap 31,
    // every phase output is that phase's tap 31, so the answer names the set.
    const auto outputAtTap31 = [](double sampleRate) {
        TruePeakInterpolator interpolator;
        interpolator.setSampleRate(sampleRate);
        interpolator.clear();
        double outLeft = 0.0;
        double outRight = 0.0;
        for (int n = 0; n <= kTaps - 1 - 31; ++n)
            interpolator.process(n == 0 ? 1.0 : 0.0, 0.0, outLeft, outRight);
        return outLeft;
    };
    // Largest of the three quarter phases at tap 31: the early outer phase's crest.
    EXPECT_EQ(outputAtTap31(44100.0), truepeak::kQuarterPhases[0][31]);
    EXPECT_EQ(outputAtTap31(88199.0), truepeak::kQuarterPhases[0][31]);
    EXPECT_EQ(outputAtTap31(88200.0), truepeak::kHalfPhase[31]);
    EXPECT_EQ(outputAtTap31(176399.0), truepeak::kHalfPhase[31]);
    EXPECT_EQ(outputAtTap31(176400.0), 0.0);
    // Unusable rates fall back to the fullest check.
    EXPECT_EQ(outputAtTap31(std::nan("")), truepeak::kQuarterPhases[0][31]);
    EXPECT_EQ(outputAtTap31(-1.0), truepeak::kQuarterPhases[0][31]);
}

TEST(TruePeakInterpolator, ClearForgetsEarlierSamples)
{
    TruePeakInterpolator interpolator;
    interpolator.setSampleRate(44100.0);
    double outLeft = 0.0;
    double outRight = 0.0;
    for (int n = 0; n < kTaps; ++n)
        interpolator.process(1.0, -1.0, outLeft, outRight);
    interpolator.clear();
    for (int n = 0; n < kTaps - 1; ++n) {
        interpolator.process(0.0, 0.0, outLeft, outRight);
        ASSERT_EQ(outLeft, 0.0);
        ASSERT_EQ(outRight, 0.0);
    }
}

// Ring contents: tap 0 = oldest, tap 31 = other, all else zero. The phase
// output is then the rounded sum of two rounded products whatever the order
// of summation, so an exact magnitude tie can be built.
struct Tie {
    double oldest;
    double other;
};

bool phaseOutputEquals(double c0, double c31, double oldest, double other, double target)
{
    volatile double first = c0 * oldest;
    volatile double second = c31 * other;
    return first + second == target;
}

// Finds ring values whose phase output is exactly -oldest.
bool findTie(const std::array<double, kTaps>& phase, Tie& tie)
{
    for (double oldest = 1.0; oldest > 0.5; oldest -= 1.0 / 1024.0) {
        double other = (-oldest - phase[0] * oldest) / phase[31];
        for (int step = 0; step < 8; ++step, other = std::nextafter(other, 0.0)) {
            if (phaseOutputEquals(phase[0], phase[31], oldest, other, -oldest)) {
                tie = {oldest, other};
                return true;
            }
        }
        for (int step = 0; step < 8; ++step, other = std::nextafter(other, -10.0)) {
            if (phaseOutputEquals(phase[0], phase[31], oldest, other, -oldest)) {
                tie = {oldest, other};
                return true;
            }
        }
    }
    return false;
}

double outputFor(double sampleRate, const Tie& tie)
{
    TruePeakInterpolator interpolator;
    interpolator.setSampleRate(sampleRate);
    interpolator.clear();
    double outLeft = 0.0;
    double outRight = 0.0;
    for (int n = 0; n < kTaps; ++n) {
        const double sample = n == 0 ? tie.oldest : n == 31 ? tie.other : 0.0;
        interpolator.process(sample, 0.0, outLeft, outRight);
    }
    return outLeft;
}

TEST(TruePeakInterpolator, EarlierCandidateWinsATieOfMagnitudes)
{
    // Quarter set: the first phase ties with the oldest sample (the other
    // two phases stay smaller), then the half phase at 96 kHz.
    struct Case {
        double sampleRate;
        const std::array<double, kTaps>* phase;
    };
    for (const Case& c : {Case{44100.0, &truepeak::kQuarterPhases[0]}, Case{96000.0, &truepeak::kHalfPhase}}) {
        Tie tie{};
        ASSERT_TRUE(findTie(*c.phase, tie)) << c.sampleRate;
        EXPECT_EQ(outputFor(c.sampleRate, tie), tie.oldest) << c.sampleRate << " Hz: tie keeps the sample";

        // One step larger in magnitude and the phase output wins.
        Tie larger = tie;
        while (!(std::fabs((*c.phase)[0] * larger.oldest + (*c.phase)[31] * larger.other) > larger.oldest))
            larger.other = std::nextafter(larger.other, -10.0);
        EXPECT_LT(outputFor(c.sampleRate, larger), -tie.oldest) << c.sampleRate << " Hz";
    }
}

}  // namespace
