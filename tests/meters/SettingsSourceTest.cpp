#include "meters/TimeGrid.h"
#include "platform/SettingsStore.h"
#include "tests/meters/FakeEffect.h"
#include "tests/meters/MeterTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace metertest;

namespace {

float storedFloat(const char* name)
{
    const auto key = platform::SettingsKey::open(platform::kSettingsKeyPath);
    if (!key)
        return -1.0f;
    std::uint8_t bytes[4] = {};
    platform::SettingsValueType type{};
    std::size_t size = 0;
    if (!key->query(name, bytes, sizeof bytes, &type, &size) || size != 4 ||
        type != platform::SettingsValueType::Binary)
        return -1.0f;
    const std::uint32_t bits = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t(bytes[3]) << 24);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void storeRaw(const char* name, const void* data, std::size_t size)
{
    const auto key = platform::SettingsKey::create(platform::kSettingsKeyPath);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->set(name, platform::SettingsValueType::Binary, data, size));
}

class SettingsSourceTest : public ::testing::Test {
protected:
    SettingsSourceTest()
    {
        // Distinct shared sets, so each source is recognisable.
        for (MeterKind meter : {MeterKind::Vu, MeterKind::Rms, MeterKind::Ppm}) {
            GlobalSettingsSet::of(meter, 0) = SettingValues(meter);
            GlobalSettingsSet::of(meter, 1) = SettingValues(meter);
        }
        GlobalSettingsSet::of(MeterKind::Rms, 0).set(72, 0.9f);
        GlobalSettingsSet::of(MeterKind::Rms, 1).set(72, 0.1f);
        GlobalSettingsSet::of(MeterKind::Vu, 0).set(83, 0.75f);
        GlobalSettingsSet::of(MeterKind::Vu, 1).set(83, 0.5f);
        GlobalSettingsSet::of(MeterKind::Ppm, 0).set(93, 0.25f);
        GlobalSettingsSet::of(MeterKind::Ppm, 1).set(93, 1.0f);
        SettingsSource::setCurrent(SettingsSource::kSession);
    }

    ProcessSettingsGuard guard;
};

TEST_F(SettingsSourceTest, ConstructionAppliesTheCurrentSource)
{
    MeterRig session;
    EXPECT_FLOAT_EQ(session.rms->getSetting(72), 0.1f);
    EXPECT_NEAR(session.rms->referenceDb(), -17.0, 1e-9);
    EXPECT_FLOAT_EQ(session.vu->getSetting(83), 0.5f);
    EXPECT_FLOAT_EQ(session.ppm->getSetting(93), 1.0f);
    EXPECT_TRUE(session.effect.calls.empty()) << "construction applies the values itself";

    SettingsSource::setCurrent(SettingsSource::kGlobal);
    MeterRig global;
    EXPECT_FLOAT_EQ(global.rms->getSetting(72), 0.9f);
    EXPECT_FLOAT_EQ(global.vu->getSetting(83), 0.75f);

    SettingsSource::setCurrent(SettingsSource::kInstance);
    MeterRig instance;
    EXPECT_EQ(instance.rms->settingsSource(), SettingsSource::kInstance);
    EXPECT_FLOAT_EQ(instance.rms->getSetting(72), 0.1f) << "an instance starts from the Session set";
    instance.rms->setSetting(72, 0.2f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 1).get(72), 0.1f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 0).get(72), 0.9f);
}

TEST_F(SettingsSourceTest, SwitchingSourcesDeliversThroughTheEffect)
{
    MeterRig rig;
    rig.rms->setSettingsSource(0.0f);
    ASSERT_EQ(rig.effect.calls.size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(rig.effect.calls[i].first, 72 + i) << "ascending id order";
    EXPECT_FLOAT_EQ(rig.effect.values[72], 0.9f);
    EXPECT_FLOAT_EQ(rig.rms->getSetting(72), 0.9f);

    // A change now lands in set A only.
    rig.effect.setParameter(72, 0.8f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 0).get(72), 0.8f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 1).get(72), 0.1f);

    rig.vu->setSettingsSource(0.5f);
    EXPECT_FLOAT_EQ(rig.effect.values[83], 0.5f);
    rig.ppm->setSettingsSource(0.0f);
    EXPECT_FLOAT_EQ(rig.effect.values[93], 0.25f);
}

TEST_F(SettingsSourceTest, InstanceSeedsFromSessionOnceThenKeepsItsOwnValues)
{
    MeterRig rig;
    rig.rms->setSettingsSource(0.0f);  // Global active before the first Instance
    rig.rms->setSettingsSource(1.0f);
    EXPECT_FLOAT_EQ(rig.rms->getSetting(72), 0.1f) << "seeded from Session, not Global";

    rig.effect.setParameter(72, 0.3f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 1).get(72), 0.1f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 0).get(72), 0.9f);

    rig.rms->setSettingsSource(0.5f);
    EXPECT_FLOAT_EQ(rig.rms->getSetting(72), 0.1f);
    GlobalSettingsSet::of(MeterKind::Rms, 1).set(72, 0.6f);  // Session moves on meanwhile
    rig.rms->setSettingsSource(1.0f);
    EXPECT_FLOAT_EQ(rig.rms->getSetting(72), 0.3f) << "the instance's own value comes back";

    rig.rms->setSettingsSource(0.0f);
    rig.rms->setSettingsSource(1.0f);
    EXPECT_FLOAT_EQ(rig.rms->getSetting(72), 0.3f);
}

TEST_F(SettingsSourceTest, FollowGlobalSettingsBringsAnotherInstanceInLine)
{
    MeterRig first;
    MeterRig second;
    // The first poll settles the values the sets keep quantised.
    first.rms->followGlobalSettings();
    second.rms->followGlobalSettings();
    second.effect.calls.clear();

    first.effect.setParameter(72, 0.4f);
    first.effect.setParameter(75, 0.8f);
    first.effect.setParameter(91, 1.0f);
    first.effect.setParameter(98, 1.0f);
    second.rms->followGlobalSettings();
    second.vu->followGlobalSettings();
    second.ppm->followGlobalSettings();
    ASSERT_EQ(second.effect.calls.size(), 4u);
    EXPECT_FLOAT_EQ(second.rms->getSetting(72), 0.4f);
    EXPECT_FLOAT_EQ(second.rms->getSetting(75), timegrid::storedValue(64));
    EXPECT_DOUBLE_EQ(second.rms->holdMs(), first.rms->holdMs());
    EXPECT_TRUE(second.vu->precise());
    EXPECT_EQ(second.ppm->overSampleCount(), 10);

    second.effect.calls.clear();
    second.rms->followGlobalSettings();
    EXPECT_TRUE(second.effect.calls.empty()) << "nothing changed since the last poll";

    // An Instance engine does not follow the shared sets.
    second.rms->setSettingsSource(1.0f);
    first.effect.setParameter(72, 0.45f);
    second.effect.calls.clear();
    second.rms->followGlobalSettings();
    EXPECT_TRUE(second.effect.calls.empty());
}

TEST_F(SettingsSourceTest, EveryTimeKnobPositionSurvivesItsOwnStoredValue)
{
    MeterRig rig;
    for (int id = 73; id <= 76; ++id) {
        for (int position = 0; position <= timegrid::kLastPosition; ++position) {
            const float stored = timegrid::storedValue(position);
            EXPECT_EQ(timegrid::position(stored), position);
            rig.effect.setParameter(id, stored);
            EXPECT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 1).get(id), stored) << "id " << id << " p " << position;
        }
    }
}

TEST_F(SettingsSourceTest, PollingDoesNotCreepTheDefaultReturnTime)
{
    MeterRig rig;
    EXPECT_FLOAT_EQ(rig.rms->getSetting(76), 0.66f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 1).get(76), 0.65f) << "the set keeps the knob position";
    const double returnMs = rig.rms->returnMs();
    for (int poll = 0; poll < 5; ++poll)
        rig.rms->followGlobalSettings();
    EXPECT_NEAR(rig.rms->returnMs(), 1995.26, 0.01);
    EXPECT_DOUBLE_EQ(rig.rms->returnMs(), returnMs);
    rig.effect.calls.clear();
    rig.rms->followGlobalSettings();
    EXPECT_TRUE(rig.effect.calls.empty());
}

TEST_F(SettingsSourceTest, StoreDefaultsWritesSetAWhateverSourceIsActive)
{
    MeterRig rig;
    rig.rms->setSettingsSource(1.0f);
    rig.effect.setParameter(72, 0.2f);  // Instance value: must not be stored
    rig.rms->storeDefaults();
    rig.vu->storeDefaults();
    rig.ppm->storeDefaults();
    EXPECT_FLOAT_EQ(storedFloat("Armsreference"), 0.9f);
    EXPECT_FLOAT_EQ(storedFloat("Avureference"), 0.75f);
    EXPECT_FLOAT_EQ(storedFloat("Appmreference"), 0.25f);
    EXPECT_FLOAT_EQ(storedFloat("Armsreturn"), 0.66f);
    EXPECT_FLOAT_EQ(storedFloat("Appmprecise"), 0.0f);

    // Loading reads both sets from the store.
    GlobalSettingsSet::loadAll();
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 0).get(72), 0.9f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 1).get(72), 0.9f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Vu, 1).get(83), 0.75f);
}

TEST_F(SettingsSourceTest, LoadingIgnoresValuesOfTheWrongSize)
{
    const std::uint8_t twoBytes[2] = {0x12, 0x34};
    const std::uint8_t eightBytes[8] = {};
    storeRaw("Avuholdtime", twoBytes, sizeof twoBytes);
    storeRaw("Avutype", eightBytes, sizeof eightBytes);
    const float good = 0.125f;
    storeRaw("Appmholdtime", &good, sizeof good);
    GlobalSettingsSet::loadAll();
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Vu, 0).get(85), 0.5f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Vu, 1).get(86), 0.0f);
    EXPECT_FLOAT_EQ(GlobalSettingsSet::of(MeterKind::Ppm, 1).get(95), 0.125f);
}

TEST(SettingsSourceNames, ThreeStateRoundingAndNames)
{
    EXPECT_EQ(SettingsSource::fromNormalised(0.2f), 0);
    EXPECT_EQ(SettingsSource::fromNormalised(0.25f), 1);
    EXPECT_EQ(SettingsSource::fromNormalised(0.74f), 1);
    EXPECT_EQ(SettingsSource::fromNormalised(0.75f), 2);
    EXPECT_STREQ(SettingsSource::name(2), "Instance");
    EXPECT_STREQ(SettingsSource::name(3), "None");
}

}  // namespace
