// Parameters as the host sees them: names, display texts, mapping,
// clamping, the reserved slots and the meter settings above the host range.

#include "LoadedPlugin.h"

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Parameters = LoadedPlugin;

std::string display(const host::Plugin& plugin, VstInt32 index)
{
    return boundedText(plugin, effGetParamDisplay, index, kParamTextCapacity);
}

std::string displayAt(const host::Plugin& plugin, VstInt32 index, float value)
{
    plugin.setParameter(index, value);
    return display(plugin, index);
}

TEST_F(Parameters, NamesOfTheControlsAndEmptyNamesElsewhere)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    const std::vector<std::string> names = {"Process", "Trim",    "GSIcal", "Meter",  "LR/MS",   "Hold",
                                            "Strips",  "ShowFlt", "ProcFlt", "HPStat", "HPSlope", "HPFreq",
                                            "LPStat",  "LPSlope", "LPFreq", "ShowLbl", "LagTime"};
    for (VstInt32 i = 0; i < 17; ++i)
        EXPECT_EQ(boundedText(*plugin, effGetParamName, i, kParamTextCapacity), names[static_cast<size_t>(i)]);
    for (VstInt32 i : {17, 40, 63, 64, 65, 72, 100, 101, -1})
        EXPECT_EQ(boundedText(*plugin, effGetParamName, i, kParamTextCapacity), "") << i;
    for (VstInt32 i : {0, 16, 17, 72, -5})
        EXPECT_EQ(boundedText(*plugin, effGetParamLabel, i, kParamTextCapacity), "  ") << i;
}

TEST_F(Parameters, DefaultsAfterConstruction)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    const std::vector<std::pair<float, std::string>> defaults = {
        {0.0f, "Off"},  {0.5f, "0.0dB"}, {0.5f, "Session"}, {0.0f, "VU3"}, {0.0f, "LR"},   {0.0f, "Off"},
        {1.0f, "Show"}, {0.0f, "Hide"},  {0.0f, "Out"},     {1.0f, "In"},  {0.0f, "12"},   {0.0f, "20.0"},
        {1.0f, "In"},   {0.0f, "6"},     {1.0f, "30k"},     {0.0f, "Hide"}, {0.0f, "0 ms"},
    };
    for (VstInt32 i = 0; i < 17; ++i) {
        EXPECT_EQ(plugin->getParameter(i), defaults[static_cast<size_t>(i)].first) << i;
        EXPECT_EQ(display(*plugin, i), defaults[static_cast<size_t>(i)].second) << i;
    }
}

TEST_F(Parameters, MeterSettingsStartFromTheStoreDefaults)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    const std::vector<std::pair<VstInt32, float>> defaults = {
        {72, 0.667f}, {73, 0.5f}, {76, 0.65f}, {78, 0.22f}, {79, 1.0f}, {80, 0.5f}, {81, 0.5f},
        {83, 0.25f},  {86, 0.0f}, {89, 0.22f}, {90, 1.0f},  {91, 0.0f}, {93, 0.5f}, {96, 0.66f},
        {98, 0.22f},  {99, 1.0f}, {100, 0.0f},
    };
    // The RMS times live on an 80-step knob grid: 0.66 is kept as 52 / 80.
    for (const auto& [index, value] : defaults)
        EXPECT_EQ(plugin->getParameter(index), value) << index;
    plugin->setParameter(80, 0.0f);
    plugin->setParameter(95, 0.8f);
    EXPECT_EQ(plugin->getParameter(80), 0.0f);
    EXPECT_EQ(plugin->getParameter(95), 0.8f);
    for (VstInt32 index : {72, 81, 83, 100})
        EXPECT_EQ(display(*plugin, index), "") << "no display above the host range";
}

TEST_F(Parameters, TrimMapsToTenthsOfADecibel)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    const std::vector<std::pair<float, std::string>> cases = {
        {0.5f, "0.0dB"}, {1.0f, "20.0dB"}, {0.0f, "-20.0dB"}, {0.5025f, "0.1dB"}, {0.65f, "6.0dB"},
        {0.19f, "-12.4dB"}, {0.8125f, "12.5dB"}, {0.4975f, "-0.1dB"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(displayAt(*plugin, 1, value), text) << value;
        EXPECT_EQ(plugin->getParameter(1), value) << "the value is kept as set";
    }
}

TEST_F(Parameters, ThreeStateValuesRoundAtQuarters)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(displayAt(*plugin, 3, 0.24f), "VU3");
    EXPECT_EQ(displayAt(*plugin, 3, 0.25f), "RMS3");
    EXPECT_EQ(displayAt(*plugin, 3, 0.74f), "RMS3");
    EXPECT_EQ(displayAt(*plugin, 3, 0.76f), "PPM3");
    EXPECT_EQ(displayAt(*plugin, 5, -3.0f), "Off");
    EXPECT_EQ(plugin->getParameter(5), 0.0f);
    EXPECT_EQ(displayAt(*plugin, 5, 0.5f), "oo");
    EXPECT_EQ(displayAt(*plugin, 5, 1.0f), "On");
    EXPECT_EQ(displayAt(*plugin, 2, 0.0f), "Global");
    EXPECT_EQ(displayAt(*plugin, 2, 1.0f), "Instance");
    EXPECT_EQ(displayAt(*plugin, 2, 0.5f), "Session");
}

TEST_F(Parameters, SwitchTexts)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    const std::vector<std::tuple<VstInt32, std::string, std::string>> switches = {
        {0, "Off", "On"},   {4, "LR", "MS"},   {6, "Hide", "Show"}, {7, "Hide", "Show"}, {8, "Out", "In"},
        {9, "Out", "In"},   {10, "12", "24"},  {12, "Out", "In"},   {13, "6", "18"},     {15, "Hide", "Show"},
    };
    for (const auto& [index, off, on] : switches) {
        EXPECT_EQ(displayAt(*plugin, index, 0.49f), off) << index;
        EXPECT_EQ(displayAt(*plugin, index, 0.5f), on) << index;
    }
}

TEST_F(Parameters, FilterFrequenciesAndDelayDisplay)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(displayAt(*plugin, 11, 0.5f), "200");
    EXPECT_EQ(displayAt(*plugin, 11, 1.0f), "2k");
    EXPECT_EQ(displayAt(*plugin, 11, 0.0f), "20.0");
    EXPECT_EQ(displayAt(*plugin, 14, 0.5f), "3k");
    EXPECT_EQ(displayAt(*plugin, 14, 0.0f), "300");
    EXPECT_EQ(displayAt(*plugin, 14, 0.75f), "9k48");
    EXPECT_EQ(displayAt(*plugin, 16, 1.0f), "999 ms");
    EXPECT_EQ(displayAt(*plugin, 16, 0.5f), "500 ms");
    EXPECT_EQ(displayAt(*plugin, 16, 0.1f), "100 ms");
}

TEST_F(Parameters, OutOfRangeAndNonFiniteValuesAreClamped)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<float, float>> cases = {{1.7f, 1.0f}, {-0.2f, 0.0f}, {nan, 0.0f}, {inf, 1.0f}, {-inf, 0.0f}};
    for (VstInt32 index : {0, 1, 11, 16, 72, 100}) {
        for (const auto& [given, kept] : cases)
            EXPECT_EQ((plugin->setParameter(index, given), plugin->getParameter(index)), kept) << index << " " << given;
    }
    EXPECT_EQ(displayAt(*plugin, 1, nan), "-20.0dB");
    EXPECT_EQ(displayAt(*plugin, 14, inf), "30k");
}

TEST_F(Parameters, ReservedSlotsKeepOneHalfAndOtherIndicesReadZero)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    for (VstInt32 index = 17; index < 64; ++index) {
        plugin->setParameter(index, 0.9f);
        EXPECT_EQ(plugin->getParameter(index), 0.5f) << index;
        EXPECT_EQ(display(*plugin, index), "") << index;
    }
    for (VstInt32 index : {64, 65, 66, 67, 68, 69, 70, 71, 82, 92, 101, 5000, -1}) {
        plugin->setParameter(index, 0.7f);
        EXPECT_EQ(plugin->getParameter(index), 0.0f) << index;
        EXPECT_EQ(display(*plugin, index), "") << index;
    }
}

TEST_F(Parameters, SettingsSourceIsSharedByLaterInstances)
{
    auto first = open();
    ASSERT_TRUE(first);
    first->setParameter(2, 0.2f);
    auto second = open();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->getParameter(2), 0.0f);
    first->setParameter(3, 0.76f);
    auto third = open();
    ASSERT_TRUE(third);
    EXPECT_EQ(third->getParameter(3), 1.0f);
    EXPECT_EQ(display(*third, 3), "PPM3");
    EXPECT_EQ(display(*second, 3), "VU3") << "an existing instance keeps its own meter";
}

TEST_F(Parameters, EveryTextFitsWhateverTheValue)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    for (float value : {0.0f, 0.13f, 0.25f, 0.5f, 0.61f, 0.75f, 0.999f, 1.0f}) {
        for (VstInt32 index = -2; index < 104; ++index) {
            plugin->setParameter(index, value);
            boundedText(*plugin, effGetParamDisplay, index, kParamTextCapacity);
            boundedText(*plugin, effGetParamName, index, kParamTextCapacity);
            boundedText(*plugin, effGetParamLabel, index, kParamTextCapacity);
        }
    }
}

// How many different texts a parameter shows across its range: for a
// stepped parameter, its number of states.
size_t textsShown(const host::Plugin& plugin, VstInt32 index)
{
    constexpr int kSteps = 200;
    std::set<std::string> texts;
    for (int step = 0; step <= kSteps; ++step)
        texts.insert(displayAt(plugin, index, static_cast<float>(step) / kSteps));
    return texts.size();
}

struct Steps {
    VstInt32 flags;
    float step;
    float small;
    float large;
};

// A host offers a toggle for a switch and steps for the others: the
// properties follow the number of states each parameter shows.
TEST_F(Parameters, PropertiesDescribeStepsAndSwitches)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    const Steps fine{kVstParameterUsesFloatStep, 1.0f / 41.0f, 1.0f / 401.0f, 1.0f / 41.0f};
    const Steps threeState{kVstParameterUsesFloatStep, 0.5f, 0.5f, 0.5f};
    const Steps delay{kVstParameterUsesFloatStep, 1.0f / 99.9f, 1.0f / 999.0f, 1.0f / 99.9f};
    const Steps toggle{kVstParameterIsSwitch | kVstParameterUsesFloatStep, 1.0f, 1.0f, 1.0f};
    const std::vector<std::string> shortNames = {"Process", "Trim", "GSIcal", "Meter", "LR/MS", "Hold",
                                                 "Strips",  "ShowFlt", "ProcFlt", "HPStat", "HPSlope", "HPFreq",
                                                 "LPStat",  "LPSlope", "LPFreq", "ShowLbl", "LagTime"};
    for (VstInt32 index = 0; index < 17; ++index) {
        const size_t states = textsShown(*plugin, index);
        const Steps expected = states == 2 ? toggle : states == 3 ? threeState : index == 16 ? delay : fine;
        VstParameterProperties properties{};
        ASSERT_EQ(plugin->dispatch(effGetParameterProperties, index, 0, &properties), 1) << index;
        EXPECT_EQ(properties.flags, expected.flags) << index << " shows " << states << " states";
        EXPECT_FLOAT_EQ(properties.stepFloat, expected.step) << index;
        EXPECT_FLOAT_EQ(properties.smallStepFloat, expected.small) << index;
        EXPECT_FLOAT_EQ(properties.largeStepFloat, expected.large) << index;
        EXPECT_EQ(std::string(properties.label), shortNames[static_cast<size_t>(index)]);
        EXPECT_EQ(std::string(properties.shortLabel), shortNames[static_cast<size_t>(index)].substr(0, 7));
    }
    for (VstInt32 index : {17, 63, 72, -1}) {
        VstParameterProperties properties{};
        EXPECT_EQ(plugin->dispatch(effGetParameterProperties, index, 0, &properties), 0) << index;
    }
    EXPECT_EQ(plugin->dispatch(effGetParameterProperties, 0, 0, nullptr), 0);
}

}  // namespace
