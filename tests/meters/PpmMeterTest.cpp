#include "meters/PPMmeter.h"
#include "meters/SettingDisplay.h"
#include "tests/meters/FakeEffect.h"
#include "tests/meters/MeterTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace metertest;

namespace {

constexpr double kRate = 44100.0;

class PpmMeterTest : public ::testing::Test {
protected:
    PpmMeterTest()
    {
        SettingsSource::setCurrent(SettingsSource::kSession);
        rig = std::make_unique<MeterRig>();
        meter().setSampleRate(static_cast<float>(kRate));
        meter().prepare();
    }

    PPMmeter& meter() { return *rig->ppm; }
    double level(int channel = 0) { return meter().readValue(1.0, MeterReading::Level, channel); }
    double referencePeak() const { return std::pow(10.0, rig->ppm->referenceDb() / 20.0); }

    ProcessSettingsGuard guard;
    std::unique_ptr<MeterRig> rig;
};

TEST_F(PpmMeterTest, DefaultsReadAsDocumented)
{
    EXPECT_NEAR(meter().referenceDb(), -12.0, 1e-9);
    EXPECT_FALSE(meter().precise());
    EXPECT_EQ(level(), 0.0) << "rests at zero";
    char text[settingdisplay::kTextSize] = "";
    meter().getSettingDisplay(93, text);
    EXPECT_STREQ(text, "-12.0dBFS");
    meter().getSettingDisplay(94, text);
    EXPECT_STREQ(text, "10ms");
    meter().getSettingDisplay(95, text);
    EXPECT_STREQ(text, "1.00s");
    meter().getSettingDisplay(96, text);
    EXPECT_STREQ(text, "2.00s");
}

TEST_F(PpmMeterTest, OverChoiceZeroSitsAt8Point15DbAboveTheReference)
{
    meter().setSetting(99, 0.0f);
    const double ref = referencePeak();
    // +8.1 dB would be an over on the VU meter (+8 dB); not here.
    feed(meter(), constant(ref * std::pow(10.0, 8.10 / 20.0), 8));
    EXPECT_EQ(meter().readOverState(0), -1.0);
    feed(meter(), constant(ref * std::pow(10.0, 8.20 / 20.0), 8));
    EXPECT_EQ(meter().readOverState(0), 1.0);
}

TEST_F(PpmMeterTest, QuietSampleAfterAnIncompleteRunResetsIt)
{
    meter().setSetting(99, 1.0f);
    const auto burst = constant(1.0, 2);
    const auto quiet = constant(0.5, 1);
    for (int i = 0; i < 5; ++i) {
        feed(meter(), burst);
        feed(meter(), quiet);
    }
    EXPECT_EQ(meter().readOverState(0), -1.0);
}

TEST_F(PpmMeterTest, RiseAndFallFollowTheirTimes)
{
    feed(meter(), constant(referencePeak(), static_cast<int>(kRate * meter().integrationMs() * 0.001) + 1), 1);
    EXPECT_GE(level(), 0.99);
    EXPECT_LT(level(), 0.995);
    feed(meter(), constant(referencePeak(), 44100));
    const double top = level();
    feed(meter(), constant(0.0, static_cast<int>(std::lround(kRate * meter().returnMs() * 0.001))), 100);
    EXPECT_NEAR(toDb(level() / top), -24.08, 0.01);
}

TEST_F(PpmMeterTest, NonFiniteSamplesDoNotFreezeTheReadings)
{
    meter().setSetting(100, 1.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    feed(meter(), std::vector<float>{nan, std::numeric_limits<float>::infinity()});
    feed(meter(), sine(1000.0, kRate, referencePeak(), 44100));
    EXPECT_NEAR(level(), 1.0, 0.02);
    EXPECT_TRUE(std::isfinite(meter().readValue(1.0, MeterReading::Hold, 1)));
}

}  // namespace
