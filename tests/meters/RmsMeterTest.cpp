#include "meters/RMSMeter.h"
#include "meters/SettingDisplay.h"
#include "tests/meters/FakeEffect.h"
#include "tests/meters/MeterTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace metertest;

namespace {

constexpr double kRate = 48000.0;

class RmsMeterTest : public ::testing::Test {
protected:
    RmsMeterTest()
    {
        SettingsSource::setCurrent(SettingsSource::kSession);
        rig = std::make_unique<MeterRig>();
        meter().setSampleRate(static_cast<float>(kRate));
        meter().prepare();
    }

    RMSMeter& meter() { return *rig->rms; }
    double level(int channel = 0) { return meter().readValue(1.0, MeterReading::Level, channel); }
    double hold(int channel = 0) { return meter().readValue(1.0, MeterReading::Hold, channel); }
    double rms(int channel = 0) { return MeanSquare::rms(meter().readValue(1.0, MeterReading::MeanSquare, channel)); }
    void feedOne(float sample)
    {
        meter().processBlock(&sample, &sample, 1);
    }

    ProcessSettingsGuard guard;
    std::unique_ptr<MeterRig> rig;
};

TEST_F(RmsMeterTest, DefaultsReadAsDocumented)
{
    EXPECT_DOUBLE_EQ(meter().referenceDb(), 0.0);
    EXPECT_NEAR(meter().integrationMs(), 10.022, 0.001);
    EXPECT_NEAR(meter().rmsIntegrationMs(), 1000.0, 1e-9);
    EXPECT_NEAR(meter().holdMs(), 1000.0, 1e-9);
    EXPECT_NEAR(meter().returnMs(), 1995.26, 0.01);
    EXPECT_EQ(meter().overSampleCount(), 3);
    EXPECT_TRUE(meter().precise());  // 0.5 switches on

    char text[settingdisplay::kTextSize] = "";
    meter().getSettingDisplay(72, text);
    EXPECT_STREQ(text, "0.0dBFS");
    meter().getSettingDisplay(73, text);
    EXPECT_STREQ(text, "10ms");
    meter().getSettingDisplay(74, text);
    EXPECT_STREQ(text, "1.00s");
    meter().getSettingDisplay(76, text);
    EXPECT_STREQ(text, "2.00s");
    std::string untouched = "keep";
    meter().getSettingDisplay(77, untouched.data());
    EXPECT_EQ(untouched, "keep");
}

TEST_F(RmsMeterTest, ReferenceStepsAndRangeEnds)
{
    meter().setSetting(72, 0.0f);
    EXPECT_NEAR(meter().referenceDb(), -20.0, 1e-9);
    meter().setSetting(72, 1.0f);
    EXPECT_NEAR(meter().referenceDb(), 10.0, 1e-9);
    char text[settingdisplay::kTextSize] = "";
    meter().getSettingDisplay(72, text);
    EXPECT_STREQ(text, "10.0dBFS");

    // +10 dB reference: a full-scale step reads 10^(-0.5) of the reference.
    meter().setSetting(73, 0.0f);
    meter().setSetting(80, 0.0f);
    feed(meter(), constant(1.0, 100));
    EXPECT_NEAR(level(), std::pow(10.0, -0.5), 1e-9);
}

TEST_F(RmsMeterTest, AttackReaches99PercentOfAStepInTheIntegrationTime)
{
    meter().setSetting(80, 0.0f);
    const double stepSamples = kRate * meter().integrationMs() * 0.001;  // about 481
    const double target = 0.5;
    int reachedAt = -1;
    for (int i = 1; i < 2000 && reachedAt < 0; ++i) {
        feedOne(static_cast<float>(target));
        if (level() >= 0.99 * target)
            reachedAt = i;
    }
    EXPECT_NEAR(reachedAt, stepSamples, 1.0);
}

TEST_F(RmsMeterTest, IntegrationAtTheFirstKnobPositionFollowsAtOnce)
{
    meter().setSetting(80, 0.0f);
    meter().setSetting(73, 0.0f);
    EXPECT_DOUBLE_EQ(meter().integrationMs(), 0.0);
    feedOne(0.25f);
    EXPECT_DOUBLE_EQ(level(), 0.25);
}

TEST_F(RmsMeterTest, ReleaseFalls24dBInTheReturnTime)
{
    meter().setSetting(80, 0.0f);
    meter().setSetting(73, 0.0f);
    feed(meter(), constant(0.8, 64));
    const double top = level();
    const int returnSamples = static_cast<int>(std::lround(kRate * meter().returnMs() * 0.001));
    feed(meter(), constant(0.0, returnSamples), 97);
    EXPECT_NEAR(toDb(level() / top), -24.08, 0.01);
}

TEST_F(RmsMeterTest, HoldStaysForTheHoldTimeThenFalls)
{
    meter().setSetting(80, 0.0f);
    meter().setSetting(73, 0.0f);  // instant rise: the only raise is the first sample
    for (float holdValue : {0.5f, 0.75f}) {
        meter().setSetting(75, holdValue);
        meter().prepare();
        const int holdSamples = static_cast<int>(std::ceil(kRate * meter().holdMs() * 0.001));
        feed(meter(), constant(0.5, 10));
        feed(meter(), constant(0.0, holdSamples - 10), 1000);
        EXPECT_DOUBLE_EQ(hold(), 0.5) << "hold " << meter().holdMs() << " ms";
        EXPECT_LT(level(), 0.5);
        feedOne(0.0f);
        EXPECT_LT(hold(), 0.5) << "hold " << meter().holdMs() << " ms";
    }
    EXPECT_NEAR(meter().holdMs(), 3162.28, 0.01);
}

TEST_F(RmsMeterTest, SineAtTheReferenceReadsOneRmsWithPreciseOffAndOn)
{
    for (float referenceValue : {0.667f, 0.333f}) {  // 0 dB and -10 dB
        meter().setSetting(72, referenceValue);
        const double peak = std::pow(10.0, meter().referenceDb() / 20.0);
        for (float precise : {0.0f, 1.0f}) {
            meter().setSetting(80, precise);
            meter().prepare();
            feed(meter(), sine(1000.0, kRate, peak, 3 * 48000));
            EXPECT_NEAR(toDb(rms()), 0.0, 0.01) << "precise " << precise << " reference " << meter().referenceDb();
        }
    }
}

TEST_F(RmsMeterTest, PreciseModeRaisesTheLevelToTheInterSamplePeak)
{
    // A quarter-rate sine at 45 degrees: every sample is at 0.707 of the peak.
    meter().setSetting(73, 0.0f);
    const auto tone = sine(12000.0, kRate, 1.0, 4800, 0, kPi / 4.0);
    meter().setSetting(80, 0.0f);
    feed(meter(), tone);
    EXPECT_NEAR(level(), std::sqrt(0.5), 0.001);
    meter().setSetting(80, 1.0f);
    meter().prepare();
    feed(meter(), tone);
    EXPECT_NEAR(level(), 1.0, 0.01);
}

TEST_F(RmsMeterTest, OverRunsAfterPrepareNeedOneMoreSample)
{
    meter().setSetting(80, 0.0f);
    meter().setSetting(79, 1.0f);  // 0 dB full scale
    const int n = meter().overSampleCount();
    ASSERT_EQ(n, 3);

    feed(meter(), constant(1.0, n));
    feed(meter(), constant(0.1, 1));
    EXPECT_EQ(meter().readOverState(0), -1.0) << "the first run after prepare needs N + 1";

    meter().prepare();
    feed(meter(), constant(1.0, n + 1));
    feed(meter(), constant(0.1, 1));
    EXPECT_EQ(meter().readOverState(0), 1.0);
    EXPECT_EQ(meter().readOverState(0), 0.0) << "consumed, lamp latched";
    meter().clearOvers();
    EXPECT_EQ(meter().readOverState(0), -1.0);

    // Counter now runs from 0: exactly N counts, N - 1 does not.
    feed(meter(), constant(1.0, n - 1));
    feed(meter(), constant(0.1, 1));
    EXPECT_EQ(meter().readOverState(0), -1.0);
    feed(meter(), constant(1.0, n));
    feed(meter(), constant(0.1, 5));
    EXPECT_EQ(meter().readOverState(0), 1.0);

    meter().resetReadings();
    feed(meter(), constant(1.0, n));
    feed(meter(), constant(0.1, 1));
    EXPECT_EQ(meter().readOverState(1), -1.0) << "after a reset the counter starts at -1 again";
}

TEST_F(RmsMeterTest, OverThresholdFollowsTheLedReference)
{
    meter().setSetting(80, 0.0f);
    meter().setSetting(79, 0.0f);  // -6 dB
    meter().setSetting(72, 0.333f);  // reference -10 dBFS
    const double refGain = std::pow(10.0, -10.0 / 20.0);
    // Against full scale: -6 dBFS counts, -7 dBFS does not.
    meter().setSetting(81, 1.0f);
    meter().prepare();
    feed(meter(), constant(std::pow(10.0, -7.0 / 20.0), 8));
    EXPECT_EQ(meter().readOverState(0), -1.0);
    feed(meter(), constant(std::pow(10.0, -5.9 / 20.0), 8));
    EXPECT_EQ(meter().readOverState(0), 1.0);
    // Against the reference: -6 dB below -10 dBFS already counts.
    meter().setSetting(81, 0.0f);
    meter().prepare();
    feed(meter(), constant(refGain * std::pow(10.0, -5.9 / 20.0), 8));
    EXPECT_EQ(meter().readOverState(0), 1.0);
}

TEST_F(RmsMeterTest, MidSideScalesMidOnlyByItsType)
{
    meter().setSetting(80, 0.0f);
    meter().setSetting(73, 0.0f);
    meter().setMidSide(1.0f);
    const struct {
        float typeValue;
        double scale;
    } types[] = {{0.0f, 1.0}, {0.5f, 0.7080000042915344}, {1.0f, 0.5}};
    for (const auto& type : types) {
        meter().setSetting(77, type.typeValue);
        meter().prepare();
        feed(meter(), constant(0.5, 16), constant(0.25, 16));
        EXPECT_NEAR(level(0), 0.75 * type.scale, 1e-7);
        EXPECT_NEAR(level(1), 0.25, 1e-7) << "S = L - R, unscaled";
    }
    meter().setMidSide(0.0f);
    meter().prepare();
    feed(meter(), constant(0.5, 16), constant(0.25, 16));
    EXPECT_NEAR(level(0), 0.5, 1e-7);
    EXPECT_NEAR(level(1), 0.25, 1e-7);
}

TEST_F(RmsMeterTest, FallingReadingsGlideFromTheBlockStart)
{
    meter().setSetting(80, 0.0f);
    meter().setSetting(73, 0.0f);
    feed(meter(), constant(0.5, 64));
    feed(meter(), constant(0.0, 64));
    const double now = level();
    EXPECT_DOUBLE_EQ(meter().readValue(0.0, MeterReading::Level, 0), 0.5);
    EXPECT_DOUBLE_EQ(meter().readValue(0.25, MeterReading::Level, 0), 0.75 * 0.5 + 0.25 * now);
    EXPECT_DOUBLE_EQ(meter().lastReading(), 0.75 * 0.5 + 0.25 * now);
}

TEST_F(RmsMeterTest, DisplayDelayReturnsTheValueOfDMillisecondsAgo)
{
    meter().setSetting(80, 0.0f);
    constexpr int kTick = 48;  // samples per millisecond at 48 kHz
    constexpr int kDelayMs = 120;
    meter().setDisplayDelay(kDelayMs / 999.0f);
    ASSERT_EQ(meter().displayDelayMs(), kDelayMs);
    const auto tone = sine(3.0, kRate, 0.9, 400 * kTick, 4800);

    std::vector<double> levelAtTick;
    for (int ms = 0; ms < 400; ++ms) {
        meter().processBlock(tone.data() + ms * kTick, tone.data() + ms * kTick, kTick);
        meter().setDisplayDelay(0.0f);
        levelAtTick.push_back(level());
        meter().setDisplayDelay(kDelayMs / 999.0f);
    }
    EXPECT_DOUBLE_EQ(meter().readValue(0.5, MeterReading::Level, 0), levelAtTick[399 - kDelayMs]);
    EXPECT_NE(levelAtTick[399 - kDelayMs], levelAtTick[399]);

    meter().prepare();
    EXPECT_EQ(meter().readValue(1.0, MeterReading::Level, 0), 0.0) << "prepare zeroes the history";
}

TEST_F(RmsMeterTest, DelayedOversLightFromTheRecordedTimer)
{
    meter().setSetting(80, 0.0f);
    meter().setSetting(79, 1.0f);
    meter().setDisplayDelay(10 / 999.0f);
    feed(meter(), constant(1.0, 8), 8);
    feed(meter(), constant(0.0, 48 * 3), 48);
    meter().readValue(1.0, MeterReading::Level, 0);
    EXPECT_EQ(meter().readOverState(0), -1.0) << "not yet 10 ms old";
    feed(meter(), constant(0.0, 48 * 8), 48);
    meter().readValue(1.0, MeterReading::Level, 0);
    EXPECT_EQ(meter().readOverState(0), 1.0);
}

TEST_F(RmsMeterTest, InfiniteHoldKeepsTheLargestUntilCleared)
{
    EXPECT_DOUBLE_EQ(meter().applyInfiniteHold(0, 0.4), 0.4);
    EXPECT_DOUBLE_EQ(meter().applyInfiniteHold(0, 0.2), 0.4);
    EXPECT_DOUBLE_EQ(meter().applyInfiniteHold(0, 0.6), 0.6);
    EXPECT_DOUBLE_EQ(meter().applyInfiniteHold(1, 0.1), 0.1) << "channels are separate";
    meter().clearOvers();
    EXPECT_DOUBLE_EQ(meter().applyInfiniteHold(0, 0.2), 0.2);
}

TEST_F(RmsMeterTest, NonFiniteSamplesDoNotFreezeTheReadings)
{
    for (float precise : {0.0f, 1.0f}) {
        meter().setSetting(80, precise);
        meter().setMidSide(precise);
        meter().prepare();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        feed(meter(), std::vector<float>{nan, inf, -inf, nan}, std::vector<float>{inf, nan, nan, -inf});
        feed(meter(), sine(1000.0, kRate, 0.5, 48000));
        for (int channel = 0; channel < 2; ++channel) {
            EXPECT_TRUE(std::isfinite(level(channel)));
            EXPECT_TRUE(std::isfinite(hold(channel)));
            EXPECT_TRUE(std::isfinite(rms(channel)));
        }
        EXPECT_GT(level(0), 0.3);
    }
}

TEST_F(RmsMeterTest, BadCallsAreAbsorbed)
{
    meter().processBlock(nullptr, nullptr, 64);
    const float one = 1.0f;
    meter().processBlock(&one, nullptr, 1);
    meter().processBlock(&one, &one, -5);
    EXPECT_EQ(meter().readValue(1.0, MeterReading::Level, 7), 0.0);
    EXPECT_EQ(meter().readOverState(-1), -1.0);
    meter().getSettingDisplay(72, nullptr);
    meter().setSetting(73, std::numeric_limits<float>::quiet_NaN());
    EXPECT_DOUBLE_EQ(meter().integrationMs(), 0.0);
    meter().setSetting(82, 0.3f);
    EXPECT_EQ(meter().getSetting(82), 0.0f);
    meter().setSampleRate(0.0f);
    EXPECT_EQ(meter().sampleRate(), 44100.0f);
}

TEST(PeakBallisticsTest, HoldCounterSaturatesInsteadOfWrapping)
{
    PeakBallistics peak;
    peak.level = 0.5;
    peak.hold = 0.5;
    peak.holdCounter = PeakBallistics::kHoldCounterLimit;
    const PeakBallistics::Coefficients c{1.0, 0.01, 1000.0};
    peak.step(0.0, c);
    EXPECT_EQ(peak.holdCounter, PeakBallistics::kHoldCounterLimit);
    EXPECT_LT(peak.hold, 0.5) << "a long-held peak still decays";
}

}  // namespace
