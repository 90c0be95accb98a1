#include "meters/SettingDisplay.h"
#include "meters/VUmeter.h"
#include "tests/meters/FakeEffect.h"
#include "tests/meters/MeterTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

using namespace metertest;

namespace {

constexpr double kRate = 48000.0;

class VuMeterTest : public ::testing::Test {
protected:
    VuMeterTest()
    {
        SettingsSource::setCurrent(SettingsSource::kSession);
        rig = std::make_unique<MeterRig>();
        meter().setSampleRate(static_cast<float>(kRate));
        meter().prepare();
    }

    VUmeter& meter() { return *rig->vu; }
    double needle(int channel = 0) { return meter().readValue(1.0, MeterReading::Level, channel); }
    double hold(int channel = 0) { return meter().readValue(1.0, MeterReading::Hold, channel); }
    double referencePeak() const { return std::pow(10.0, rig->vu->referenceDb() / 20.0); }

    ProcessSettingsGuard guard;
    std::unique_ptr<MeterRig> rig;
};

TEST_F(VuMeterTest, DefaultsReadAsDocumented)
{
    EXPECT_NEAR(meter().referenceDb(), -18.0, 1e-9);
    EXPECT_NEAR(meter().integrationMs(), 350.1, 0.01);
    EXPECT_NEAR(meter().needleFrequencyHz(), 2.37, 0.01);
    EXPECT_NEAR(meter().holdMs(), 1000.0, 1e-9);
    EXPECT_EQ(meter().needleType(), 0);
    EXPECT_EQ(meter().backlightStep(), 2);
    EXPECT_FALSE(meter().precise());
    char text[settingdisplay::kTextSize] = "";
    meter().getSettingDisplay(83, text);
    EXPECT_STREQ(text, "-18.0dBFS");
    meter().getSettingDisplay(84, text);
    EXPECT_STREQ(text, "300ms");
    meter().getSettingDisplay(85, text);
    EXPECT_STREQ(text, "1.00s");
    EXPECT_EQ(needle(), -0.05) << "the needle rests below zero";
}

TEST_F(VuMeterTest, SineAtTheReferenceSettlesNearZeroVu)
{
    for (float type : {0.0f, 1.0f}) {
        meter().setSetting(86, type);
        meter().prepare();
        feed(meter(), sine(1000.0, kRate, referencePeak(), 3 * 48000));
        // 1.56 x the mean of |sin| is 0.993; the needle's ripple at 2 kHz is negligible.
        EXPECT_NEAR(needle(), 0.993, 0.005) << "type " << type;
        EXPECT_GE(hold(), needle()) << "type " << type;
    }
}

TEST_F(VuMeterTest, StepResponseRisesInAboutThreeHundredMsWithASmallOvershoot)
{
    const int total = 2 * 48000;
    const auto tone = sine(1000.0, kRate, referencePeak(), total, 48);
    std::vector<double> trace;
    for (int start = 0; start < total; start += 48) {
        meter().processBlock(tone.data() + start, tone.data() + start, 48);
        trace.push_back(needle());
    }
    const double settled = trace.back();
    double peak = 0.0;
    int reached99Ms = -1;
    for (int ms = 0; ms < static_cast<int>(trace.size()); ++ms) {
        peak = std::max(peak, trace[ms]);
        if (reached99Ms < 0 && trace[ms] >= 0.99 * settled)
            reached99Ms = ms + 1;
    }
    const double overshootPercent = (peak / settled - 1.0) * 100.0;
    std::printf("VU step response: 99 %% after %d ms, overshoot %.2f %%\n", reached99Ms, overshootPercent);
    // The nominal 300 ms of the integration setting, with a needle that
    // overshoots by about a percent as a moving coil does.
    EXPECT_NEAR(reached99Ms, 300, 40);
    EXPECT_GT(overshootPercent, 0.3);
    EXPECT_LT(overshootPercent, 2.5);
}

TEST_F(VuMeterTest, SlowerIntegrationSlowsTheNeedle)
{
    meter().setSetting(84, 1.0f);
    char text[settingdisplay::kTextSize] = "";
    meter().getSettingDisplay(84, text);
    EXPECT_STREQ(text, "1697ms");
    meter().prepare();
    feed(meter(), sine(1000.0, kRate, referencePeak(), 48000 / 2));
    EXPECT_LT(needle(), 0.5);
}

TEST_F(VuMeterTest, TypeSwitchesAtOneHalf)
{
    meter().setSetting(86, 0.4999f);
    EXPECT_EQ(meter().needleType(), 0);
    meter().setSetting(86, 0.5f);
    EXPECT_EQ(meter().needleType(), 1);
    EXPECT_NEAR(meter().needleFrequencyHz(), 857.6 / (350.1 * 350.0 / 300.0), 0.001);
}

TEST(NeedleModelTest, DeflectionBeyondTheScaleUsesTheEndSectionsUnclamped)
{
    NeedleModel model;
    model.setSampleRate(48000.0);
    model.design(2.37, 0.68, 0.55);
    double needle = 0.0;
    for (int i = 0; i < 48000; ++i)
        needle = model.step(3.0);
    EXPECT_NEAR(needle, 3.0, 0.01);
    EXPECT_EQ(model.currentSection(), 15);
    for (int i = 0; i < 48000; ++i)
        needle = model.step(0.0);
    EXPECT_NEAR(needle, 0.0, 0.01);
    EXPECT_EQ(model.currentSection(), 0);
}

TEST_F(VuMeterTest, HoldTreatsAnEqualNeedleAsANewPeak)
{
    NeedleHold hold;
    hold.hold = 0.5;
    hold.counter = 100;
    hold.step(0.5, 50.0, 0.1);
    EXPECT_EQ(hold.hold, 0.5);
    EXPECT_EQ(hold.counter, 1);
}

TEST_F(VuMeterTest, HoldTimeUsesTheRoundedKnobPosition)
{
    meter().setSetting(85, 0.49f);  // 80 x 0.49 + 0.5 = 39.7: position 39
    EXPECT_NEAR(meter().holdMs(), 100.0 * std::pow(100.0, 9.75 / 20.0), 1e-6);
    meter().setSetting(85, 0.495f);  // 40.1: position 40
    EXPECT_NEAR(meter().holdMs(), 1000.0, 1e-6);
}

TEST_F(VuMeterTest, HoldFallsExactlyTheHoldTimeAfterThePeak)
{
    // 1000 ms is a whole number of samples at each rate: the first fall comes
    // that many samples after the last peak (a needle reaching the hold), not
    // one later.
    for (const double rateHz : {44100.0, 48000.0, 96000.0}) {
        meter().setSampleRate(static_cast<float>(rateHz));
        meter().prepare();
        meter().resetReadings();
        feed(meter(), sine(1000.0, rateHz, 2.0 * referencePeak(), static_cast<int>(rateHz / 20), 0));
        const std::vector<float> silence(1, 0.0f);
        long lastPeak = 0;
        long firstFall = -1;
        for (long i = 1; i <= static_cast<long>(rateHz * 1.5) && firstFall < 0; ++i) {
            const double before = hold();
            feed(meter(), silence, 1);
            if (needle() >= hold())
                lastPeak = i;
            else if (hold() < before)
                firstFall = i;
        }
        EXPECT_EQ(firstFall - lastPeak, static_cast<long>(rateHz)) << rateHz << " Hz";
    }
}

TEST_F(VuMeterTest, OverChoicesAgainstReferenceAndFullScale)
{
    const double ref = referencePeak();
    meter().setSetting(90, 0.0f);  // +8 dB above the reference
    feed(meter(), constant(ref * std::pow(10.0, 7.95 / 20.0), 8));
    EXPECT_EQ(meter().readOverState(0), -1.0);
    feed(meter(), constant(ref * std::pow(10.0, 8.05 / 20.0), 8));
    EXPECT_EQ(meter().readOverState(0), 1.0);

    meter().setSetting(90, 1.0f / 3.0f);  // -3 dBFS
    meter().prepare();
    feed(meter(), constant(0.70, 8));
    EXPECT_EQ(meter().readOverState(1), -1.0);
    feed(meter(), constant(0.7072, 8));
    EXPECT_EQ(meter().readOverState(1), 1.0);
}

TEST_F(VuMeterTest, PreciseOversUseTheInterSamplePeakButTheNeedleDoesNot)
{
    // Samples at 0.742, true peaks of 1.05 once per half cycle: one-sample runs.
    const auto tone = sine(12000.0, kRate, 1.05, 9600, 0, kPi / 4.0);
    MeterRig preciseRig;
    for (VUmeter* vu : {&meter(), preciseRig.vu.get()}) {
        vu->setSetting(90, 1.0f);  // 0 dBFS
        vu->setSetting(89, 0.0f);  // one sample makes an over
        vu->setSampleRate(static_cast<float>(kRate));
    }
    preciseRig.vu->setSetting(91, 1.0f);
    for (VUmeter* vu : {&meter(), preciseRig.vu.get()}) {
        vu->prepare();
        feed(*vu, tone);
    }
    EXPECT_EQ(meter().readOverState(0), -1.0);
    EXPECT_EQ(preciseRig.vu->readOverState(0), 1.0);
    EXPECT_NEAR(preciseRig.vu->readValue(1.0, MeterReading::Level, 0), needle(), 0.001)
        << "the needle averages the samples themselves";
}

TEST_F(VuMeterTest, NonFiniteAndHugeSamplesDoNotFreezeTheNeedle)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float huge = std::numeric_limits<float>::max();
    feed(meter(), std::vector<float>{nan, inf, huge, -huge}, std::vector<float>{huge, nan, -inf, nan});
    feed(meter(), sine(1000.0, kRate, referencePeak(), 20 * 48000), 512);
    for (int channel = 0; channel < 2; ++channel) {
        EXPECT_NEAR(needle(channel), 0.993, 0.01);
        EXPECT_TRUE(std::isfinite(hold(channel)));
    }
}

TEST_F(VuMeterTest, SampleRatesOutsideTheRangeDesignTheNeedleFor44100)
{
    meter().setSampleRate(10000.0f);
    meter().prepare();
    // At 10 kHz the needle, designed for 44.1 kHz, runs 4.41 times slower.
    feed(meter(), sine(100.0, 10000.0, referencePeak(), 10000 * 30 / 100));
    EXPECT_LT(needle(), 0.9);
}

}  // namespace
