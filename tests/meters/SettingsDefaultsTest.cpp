// Runs against an empty per-user store and never writes to it, so every run
// sees what a first start of the plug-in sees.
#include "meters/SettingDisplay.h"
#include "platform/SettingsStore.h"
#include "tests/meters/FakeEffect.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(SettingsDefaultsTest, AnEmptyStoreGivesTheDocumentedDefaults)
{
    ASSERT_FALSE(std::filesystem::exists(platform::settingsFilePath())) << "this test needs an empty store";
    ASSERT_EQ(SettingsSource::current(), SettingsSource::kSession);

    for (MeterKind meter : {MeterKind::Vu, MeterKind::Rms, MeterKind::Ppm}) {
        const MeterSettingsTable& table = MeterSettingsTable::of(meter);
        for (int i = 0; i < table.count; ++i) {
            EXPECT_EQ(GlobalSettingsSet::of(meter, 0).get(table.order[i].id), table.order[i].defaultValue);
            EXPECT_EQ(GlobalSettingsSet::of(meter, 1).get(table.order[i].id), table.order[i].defaultValue);
        }
    }
    EXPECT_EQ(GlobalSettingsSet::of(MeterKind::Rms, 0).get(72), 0.6669999957084656f);

    MeterRig rig;
    EXPECT_DOUBLE_EQ(rig.rms->referenceDb(), 0.0);
    EXPECT_DOUBLE_EQ(rig.vu->referenceDb(), -18.0);
    EXPECT_DOUBLE_EQ(rig.ppm->referenceDb(), -12.0);
    for (int id = 72; id <= 81; ++id)
        EXPECT_EQ(rig.rms->getSetting(id), GlobalSettingsSet::of(MeterKind::Rms, 0).get(id)) << id;
    EXPECT_EQ(rig.vu->getSetting(86), 0.0f);
    EXPECT_EQ(rig.ppm->getSetting(100), 0.0f);
    EXPECT_EQ(rig.vu->getSetting(82), 0.0f);
    EXPECT_FALSE(std::filesystem::exists(platform::settingsFilePath()));
}

}  // namespace
