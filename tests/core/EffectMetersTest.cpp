// The effect and its three engines: which engine hears the audio, what each
// engine is told, and how instances share the settings sets.

#include "base/ProcessWide.h"
#include "core/Templete.h"
#include "meters/PPMmeter.h"
#include "meters/RMSMeter.h"
#include "meters/SettingsSource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

VstIntPtr meterHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

constexpr float kSession = 0.5f;
constexpr float kInstance = 1.0f;
constexpr VstInt32 kMeter = 3;
constexpr float kVu = 0.0f;
constexpr float kRms = 0.5f;
constexpr float kPpm = 1.0f;

class EffectMeters : public ::testing::Test {
protected:
    void SetUp() override
    {
        SettingsSource::setCurrent(SettingsSource::kSession);
        processwide::SelectedMeter = 0;
    }
    void TearDown() override
    {
        SettingsSource::setCurrent(SettingsSource::kSession);
        processwide::SelectedMeter = 0;
    }

    // A full-scale 1 kHz sine, long enough for every engine to rise.
    static void feedSine(Templete& effect, int frames)
    {
        std::vector<float> left(static_cast<size_t>(frames));
        for (int i = 0; i < frames; ++i)
            left[static_cast<size_t>(i)] = static_cast<float>(std::sin(2.0 * M_PI * 1000.0 * i / 44100.0));
        std::vector<float> right = left;
        float* channels[] = {left.data(), right.data()};
        effect.processReplacing(channels, channels, frames);
    }
};

TEST_F(EffectMeters, AllThreeEnginesExistAndAreReady)
{
    Templete effect(meterHost);
    ASSERT_NE(effect.meterEngine(1), nullptr);
    ASSERT_NE(effect.meterEngine(0), nullptr);
    ASSERT_NE(effect.meterEngine(2), nullptr);
    EXPECT_EQ(effect.meterEngine(1)->sampleRate(), 44100.0f);
    EXPECT_EQ(effect.meterEngine(2)->readOverState(0), -1.0);
}

TEST_F(EffectMeters, OnlyTheSelectedEngineHearsTheAudio)
{
    Templete effect(meterHost);
    effect.resume();
    const double vuRest = effect.meterEngine(0)->readValue(1.0, MeterReading::Level, 0);
    const double ppmRest = effect.meterEngine(2)->readValue(1.0, MeterReading::Level, 0);

    effect.setParameter(kMeter, kRms);
    feedSine(effect, 8820);
    const double rmsLevel = effect.meterEngine(1)->readValue(1.0, MeterReading::Level, 0);
    EXPECT_GT(rmsLevel, 0.5);
    EXPECT_EQ(effect.meterEngine(0)->readValue(1.0, MeterReading::Level, 0), vuRest);
    EXPECT_EQ(effect.meterEngine(2)->readValue(1.0, MeterReading::Level, 0), ppmRest);

    // Switching away freezes the RMS readings where they were.
    effect.setParameter(kMeter, kPpm);
    feedSine(effect, 8820);
    EXPECT_EQ(effect.meterEngine(1)->readValue(1.0, MeterReading::Level, 0), rmsLevel);
    EXPECT_GT(effect.meterEngine(2)->readValue(1.0, MeterReading::Level, 0), ppmRest);

    effect.setParameter(kMeter, kVu);
    feedSine(effect, 8820);
    EXPECT_GT(effect.meterEngine(0)->readValue(1.0, MeterReading::Level, 0), vuRest);

    // Suspend brings every engine back to rest.
    effect.suspend();
    EXPECT_EQ(effect.meterEngine(0)->readValue(1.0, MeterReading::Level, 0), vuRest);
    EXPECT_EQ(effect.meterEngine(1)->readValue(1.0, MeterReading::Level, 0), RMSMeter::kRestReading);
}

TEST_F(EffectMeters, SharedControlsReachEveryEngine)
{
    Templete effect(meterHost);
    effect.setParameter(4, 1.0f);
    effect.setParameter(5, 0.5f);
    effect.setParameter(16, 1.0f);
    effect.setParameter(2, kInstance);
    EXPECT_TRUE(effect.meterEngine(1)->midSide() && effect.meterEngine(0)->midSide() && effect.meterEngine(2)->midSide());
    EXPECT_EQ(effect.meterEngine(1)->holdMode(), 1);
    EXPECT_EQ(effect.meterEngine(0)->holdMode(), 1);
    EXPECT_EQ(effect.meterEngine(2)->holdMode(), 1);
    EXPECT_EQ(effect.meterEngine(1)->displayDelayMs(), 999);
    EXPECT_EQ(effect.meterEngine(2)->displayDelayMs(), 999);
    EXPECT_EQ(effect.meterEngine(0)->settingsSource(), SettingsSource::kInstance);
    EXPECT_EQ(effect.meterEngine(2)->settingsSource(), SettingsSource::kInstance);
}

TEST_F(EffectMeters, MeterSettingsGoToTheirOwnEngineOnly)
{
    Templete effect(meterHost);
    effect.setParameter(2, kInstance);
    effect.setParameter(72, 1.0f);  // RMS reference +10 dB
    effect.setParameter(83, 0.0f);
    effect.setParameter(93, 1.0f);
    EXPECT_NEAR(effect.meterEngine(1)->referenceDb(), 10.0, 1e-9);
    EXPECT_EQ(effect.meterEngine(1)->getSetting(72), 1.0f);
    EXPECT_EQ(effect.meterEngine(0)->getSetting(83), 0.0f);
    EXPECT_EQ(effect.meterEngine(2)->getSetting(93), 1.0f);
    EXPECT_EQ(effect.meterEngine(0)->getSetting(72), 0.0f);
}

TEST_F(EffectMeters, SourceChangePushesValuesIntoTheParametersAndTheEngines)
{
    Templete effect(meterHost);
    effect.setParameter(2, kSession);
    effect.setParameter(74, 0.25f);
    Templete other(meterHost);
    other.setParameter(2, kInstance);
    other.setParameter(74, 0.75f);
    EXPECT_EQ(other.meterEngine(1)->getSetting(74), 0.75f);

    other.setParameter(2, kSession);
    EXPECT_EQ(other.getParameter(74), 0.25f);
    EXPECT_EQ(other.meterEngine(1)->getSetting(74), 0.25f);
}

TEST_F(EffectMeters, FollowingPicksUpAnotherInstancesChange)
{
    Templete first(meterHost);
    Templete second(meterHost);
    first.setParameter(85, 0.9f);
    first.setParameter(98, 0.0f);
    EXPECT_NE(second.getParameter(85), 0.9f) << "nothing moves before the poll";

    second.meterEngine(0)->followGlobalSettings();
    second.meterEngine(2)->followGlobalSettings();
    EXPECT_EQ(second.getParameter(85), 0.9f);
    EXPECT_EQ(second.getParameter(98), 0.0f);
    EXPECT_EQ(static_cast<PPMmeter*>(second.meterEngine(2))->overSampleCount(), 1);

    second.setParameter(2, kInstance);
    first.setParameter(85, 0.1f);
    second.meterEngine(0)->followGlobalSettings();
    EXPECT_EQ(second.getParameter(85), 0.9f) << "an Instance source does not follow";
}

TEST_F(EffectMeters, ClearOversReachesEveryEngine)
{
    Templete effect(meterHost);
    effect.resume();
    effect.setParameter(2, kInstance);
    effect.setParameter(98, 0.0f);  // PPM: one sample is an over
    effect.setParameter(kMeter, kPpm);
    std::vector<float> loud(64, 1.5f);
    float* channels[] = {loud.data(), loud.data()};
    effect.processReplacing(channels, channels, 64);
    EXPECT_EQ(effect.meterEngine(2)->readOverState(0), 1.0);
    EXPECT_EQ(effect.meterEngine(2)->readOverState(0), 0.0) << "latched";
    effect.setParameter(kParamClearOvers, 0.0f);
    EXPECT_EQ(effect.meterEngine(2)->readOverState(0), -1.0);
}

}  // namespace
