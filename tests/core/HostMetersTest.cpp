// The meter engines behind the effect, seen through the built plug-in: the
// store defaults they start from, the settings sources of parameter 2, the
// stored global set of parameter 65 and the chunk's meter settings.

#include "LoadedPlugin.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>

namespace {

using Meters = LoadedPlugin;

constexpr VstInt32 kSource = 2;
constexpr VstInt32 kLagTime = 16;
constexpr VstInt32 kStoreGlobal = 65;
constexpr float kGlobal = 0.0f;
constexpr float kSession = 0.5f;
constexpr float kInstance = 1.0f;

std::string settingsFileText()
{
    const char* home = std::getenv("XDG_CONFIG_HOME");
    if (!home)
        return {};
    std::ifstream in(std::string(home) + "/qor-valdora/settings.conf");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A value line as the settings file keeps a 4-byte float: little-endian hex.
std::string storedLine(const char* name, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    std::ostringstream line;
    line << '"' << name << "\" binary" << ' ' << std::hex << std::setfill('0');
    for (int i = 0; i < 4; ++i)
        line << std::setw(2) << ((bits >> (8 * i)) & 0xffu);
    return line.str();
}

TEST_F(Meters, EmptyStoreGivesTheDefaultReferences)
{
    ASSERT_EQ(settingsFileText().find("Armsreference"), std::string::npos)
        << "this test expects a store without meter values";
    auto plugin = open();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->getParameter(72), 0.667f);  // RMS 0.0 dB
    EXPECT_EQ(plugin->getParameter(83), 0.25f);   // VU -18 dB
    EXPECT_EQ(plugin->getParameter(93), 0.5f);    // PPM -12 dB
    EXPECT_EQ(plugin->getParameter(80), 0.5f);
    EXPECT_EQ(plugin->getParameter(91), 0.0f);
}

TEST_F(Meters, SettingsSourcesDeliverTheirValuesThroughTheParameters)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(kSource, kGlobal);
    plugin->setParameter(72, 0.3f);
    plugin->setParameter(95, 0.2f);
    plugin->setParameter(kSource, kSession);
    plugin->setParameter(72, 0.8f);
    plugin->setParameter(95, 0.6f);

    plugin->setParameter(kSource, kGlobal);
    EXPECT_EQ(plugin->getParameter(72), 0.3f);
    EXPECT_EQ(plugin->getParameter(95), 0.2f);

    // The first Instance starts from the Session set, then keeps its own.
    plugin->setParameter(kSource, kInstance);
    EXPECT_EQ(plugin->getParameter(72), 0.8f);
    EXPECT_EQ(plugin->getParameter(95), 0.6f);
    plugin->setParameter(72, 0.1f);
    plugin->setParameter(kSource, kSession);
    EXPECT_EQ(plugin->getParameter(72), 0.8f) << "Instance changes stay out of the Session set";
    plugin->setParameter(kSource, kInstance);
    EXPECT_EQ(plugin->getParameter(72), 0.1f);
}

TEST_F(Meters, AnotherInstanceStartsFromTheSharedSet)
{
    auto first = open();
    ASSERT_TRUE(first);
    first->setParameter(kSource, kSession);
    first->setParameter(84, 0.75f);
    auto second = open();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->getParameter(84), 0.75f);
}

TEST_F(Meters, StoreCommandWritesSetAWhateverTheSource)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(kSource, kGlobal);
    plugin->setParameter(72, 0.4f);
    plugin->setParameter(100, 1.0f);
    plugin->setParameter(kSource, kSession);
    plugin->setParameter(72, 0.9f);

    plugin->setParameter(kStoreGlobal, 0.0f);
    const std::string text = settingsFileText();
    EXPECT_NE(text.find(storedLine("Armsreference", 0.4f)), std::string::npos) << text;
    EXPECT_NE(text.find(storedLine("Appmprecise", 1.0f)), std::string::npos) << text;
    EXPECT_NE(text.find(storedLine("Avureference", plugin->getParameter(83))), std::string::npos) << text;
    EXPECT_EQ(text.find(storedLine("Armsreference", 0.9f)), std::string::npos) << "set B is never stored";
}

TEST_F(Meters, ChunkMeterSettingsApplyOnlyForSessionAndInstance)
{
    auto source = open();
    ASSERT_TRUE(source);
    source->setParameter(kSource, kInstance);
    source->setParameter(72, 0.2f);
    source->setParameter(99, 0.0f);
    const std::vector<unsigned char> block = source->getChunk();

    auto target = open();
    ASSERT_TRUE(target);
    target->setParameter(kSource, kSession);
    target->setParameter(72, 0.6f);
    target->setChunk(block);
    EXPECT_EQ(target->getParameter(kSource), kInstance);
    EXPECT_EQ(target->getParameter(72), 0.2f);
    EXPECT_EQ(target->getParameter(99), 0.0f);
    EXPECT_EQ(target->getChunk(), block);
}

TEST_F(Meters, LagTimeDisplayFollowsTheSelectedEngine)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(kLagTime, 0.5f);
    for (float meter : {0.0f, 0.5f, 1.0f}) {
        plugin->setParameter(3, meter);
        EXPECT_EQ(boundedText(*plugin, effGetParamDisplay, kLagTime, kParamTextCapacity), "500 ms") << meter;
    }
}

}  // namespace
