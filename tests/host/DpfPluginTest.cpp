// A third-party VST 2.4 plug-in (the three-band EQ of the Debian package
// dpf-plugins-vst) driven through the loader and through the vsthost program:
// proof that the host works on plug-ins it was not written with.
#include "tests/host/RunCommand.h"
#include "tests/support/TempDir.h"
#include "tools/vsthost/BlockRunner.h"
#include "tools/vsthost/PluginSession.h"
#include "tools/vsthost/SignalGenerator.h"
#include "tools/vsthost/SoundFileReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::runCommand;
using testing_support::shellQuote;
using vsthost::PluginSession;
using vsthost::RunResult;
using vsthost::SignalRecipe;
using vsthost::Waveform;

constexpr double kRateHz = 44100.0;
constexpr int kBlockFrames = 512;
constexpr int kLowParam = 0;
constexpr int kMidParam = 1;

class DpfPlugin : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(DPF_PLUGIN_PATH))
            GTEST_SKIP() << DPF_PLUGIN_PATH << " is absent (Debian package dpf-plugins-vst)";
        session_ = std::make_unique<PluginSession>(DPF_PLUGIN_PATH, kRateHz, kBlockFrames);
        plugin_ = session_->createInstance();
    }
    void TearDown() override
    {
        plugin_.reset();
        session_.reset();
    }

    // RMS change in dB of a stereo sine at the given frequency through the plug-in.
    double gainDb(double frequencyHz)
    {
        const SignalRecipe sine{Waveform::Sine, frequencyHz, -12.0};
        vsthost::SignalGenerator signal({sine, sine}, kRateHz, 1.0);
        plugin_->resume();
        const RunResult result = vsthost::BlockRunner(*plugin_, kBlockFrames).run(signal, nullptr);
        plugin_->suspend();
        EXPECT_EQ(result.output.nonFiniteTotal(), 0);
        return 20.0 * std::log10(result.output.rms(0) / result.input.rms(0));
    }

    std::unique_ptr<PluginSession> session_;
    std::unique_ptr<host::Plugin> plugin_;
};

TEST_F(DpfPlugin, IdentityAndParametersComeThroughTheInterface)
{
    EXPECT_EQ(plugin_->effectName(), "3 Band EQ");
    EXPECT_EQ(plugin_->numInputs(), 2);
    EXPECT_EQ(plugin_->numOutputs(), 2);
    EXPECT_EQ(plugin_->vstVersion(), 2400);
    EXPECT_TRUE(plugin_->hasFlag(effFlagsCanReplacing));
    ASSERT_EQ(plugin_->numParams(), 6);
    const std::vector<std::string> names = {"Low", "Mid", "High", "Master", "Low-Mid Freq", "Mid-High Freq"};
    for (int i = 0; i < plugin_->numParams(); ++i) {
        EXPECT_EQ(plugin_->parameterName(i), names[static_cast<size_t>(i)]);
        const std::string display = plugin_->parameterDisplay(i);
        char* end = nullptr;
        std::strtod(display.c_str(), &end);
        EXPECT_TRUE(!display.empty() && *end == '\0') << "display of " << i << ": '" << display << "'";
        const std::string label = plugin_->parameterLabel(i);
        EXPECT_TRUE(label == "dB" || label == "Hz") << label;
    }
}

TEST_F(DpfPlugin, ParameterSetIsReadBackWithItsDisplay)
{
    plugin_->setParameter(kMidParam, 0.0f);
    EXPECT_EQ(plugin_->getParameter(kMidParam), 0.0f);
    EXPECT_EQ(std::strtod(plugin_->parameterDisplay(kMidParam).c_str(), nullptr), -24.0);
    plugin_->setParameter(kMidParam, 1.0f);
    EXPECT_EQ(std::strtod(plugin_->parameterDisplay(kMidParam).c_str(), nullptr), 24.0);
}

TEST_F(DpfPlugin, FlatSettingsLeaveTheSignalUnchanged)
{
    // All bands at 0 dB: the band split sums back to the input; 0.05 dB allows for the crossover.
    EXPECT_NEAR(gainDb(1000.0), 0.0, 0.05);
    EXPECT_NEAR(gainDb(100.0), 0.0, 0.05);
}

TEST_F(DpfPlugin, MidCutLowersOnlyTheMidBand)
{
    plugin_->setParameter(kMidParam, 0.0f);
    // The bands overlap gently: -24 dB on the mid band takes about 12 dB off its
    // centre (663 Hz, between the 220 Hz and 2 kHz crossovers) and leaves tones
    // well inside the low and high bands nearly alone.
    EXPECT_LT(gainDb(663.0), -10.0);
    EXPECT_NEAR(gainDb(60.0), 0.0, 2.0);
    EXPECT_NEAR(gainDb(5000.0), 0.0, 2.0);
}

TEST_F(DpfPlugin, StereoSourceIntoSingleOutputPluginGetsSilenceOnTheMissingOutput)
{
    const std::string mono = "/usr/lib/vst/MaFreeverb-vst.so";
    if (!std::filesystem::exists(mono))
        GTEST_SKIP() << mono << " is absent";
    PluginSession session(mono, kRateHz, kBlockFrames);
    const auto plugin = session.createInstance();
    ASSERT_EQ(plugin->numOutputs(), 1);
    vsthost::SignalGenerator signal({{Waveform::White, 0.0, -12.0}, {Waveform::White, 0.0, -12.0}}, kRateHz, 0.5);
    plugin->resume();
    const RunResult result = vsthost::BlockRunner(*plugin, 300).run(signal, nullptr);
    plugin->suspend();
    EXPECT_EQ(result.output.channels(), 2);
    EXPECT_GT(result.output.rms(0), 0.0);
    EXPECT_EQ(result.output.peak(1), 0.0f);
    EXPECT_EQ(result.output.nonFiniteTotal(), 0);
}

class DpfPluginTool : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(DPF_PLUGIN_PATH))
            GTEST_SKIP() << DPF_PLUGIN_PATH << " is absent (Debian package dpf-plugins-vst)";
    }
    static std::string vsthost(const std::string& arguments)
    {
        return shellQuote(VSTHOST_PATH) + " " + shellQuote(DPF_PLUGIN_PATH) + " " + arguments;
    }
    testing_support::TempDir dir_;
};

TEST_F(DpfPluginTool, PrintsIdentityPinsAndEveryParameter)
{
    const auto result = runCommand(vsthost(""));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    for (const char* expected : {"Effect name:     3 Band EQ", "Unique id:       'D3EQ'", "VST version:     2400",
                                 "Inputs/outputs:  2/2", "in  1", "out 1", "Mid-High Freq"})
        EXPECT_NE(result.output.find(expected), std::string::npos) << expected << "\n" << result.output;
}

TEST_F(DpfPluginTool, SetParameterShowsInTheListing)
{
    const auto result = runCommand(vsthost("--set 1=0"));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("-24.0"), std::string::npos) << result.output;
}

TEST_F(DpfPluginTool, BlockSizeDoesNotChangeTheWrittenAudio)
{
    const std::string small = dir_.path() + "/small.wav";
    const std::string large = dir_.path() + "/large.flac";
    // 0.3 s is no multiple of either block size, so the last block is short.
    const std::string signal = "--sine 440 --duration 0.3 --set 0=0.8 --quiet ";
    ASSERT_EQ(runCommand(vsthost(signal + "--block 64 --output " + shellQuote(small))).exitCode, 0);
    ASSERT_EQ(runCommand(vsthost(signal + "--block 1000 --output " + shellQuote(large))).exitCode, 0);

    vsthost::SoundFileReader a(small);
    vsthost::SoundFileReader b(large);
    ASSERT_EQ(a.channels(), 2);
    ASSERT_EQ(b.channels(), 2);
    ASSERT_EQ(a.frames(), 13230);
    ASSERT_EQ(b.frames(), 13230);
    std::vector<float> left(13230), right(13230), otherLeft(13230), otherRight(13230);
    float* first[] = {left.data(), right.data()};
    float* second[] = {otherLeft.data(), otherRight.data()};
    ASSERT_EQ(a.read(first, 13230), 13230);
    ASSERT_EQ(b.read(second, 13230), 13230);
    // FLAC holds 24 bits: one step is 1.2e-7 of full scale.
    constexpr float kFlacStep = 1.0f / 8388608.0f;
    float biggestBoost = 0.0f;
    for (size_t i = 0; i < left.size(); ++i) {
        ASSERT_NEAR(left[i], otherLeft[i], kFlacStep) << "frame " << i;
        biggestBoost = std::max(biggestBoost, std::fabs(left[i]));
    }
    // The low band's boost lifts the 440 Hz tone (peak 0.25 going in).
    EXPECT_GT(biggestBoost, 0.3f);
}

TEST_F(DpfPluginTool, MonoFileComesOutMonoAtTheFilesRate)
{
    const std::string input = dir_.path() + "/in.wav";
    const std::string output = dir_.path() + "/out.aiff";
    ASSERT_EQ(runCommand(vsthost("--sine 200 --channels 1 --rate 48000 --duration 0.5 --quiet --output " +
                                 shellQuote(input)))
                  .exitCode,
              0);
    const auto result = runCommand(vsthost("--input " + shellQuote(input) + " --output " + shellQuote(output)));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    vsthost::SoundFileReader processed(output);
    EXPECT_EQ(processed.channels(), 1);
    EXPECT_EQ(processed.sampleRate(), 48000.0);
    EXPECT_EQ(processed.frames(), 24000);

    const auto mismatch = runCommand(vsthost("--input " + shellQuote(input) + " --rate 44100"));
    EXPECT_EQ(mismatch.exitCode, 2);
    EXPECT_NE(mismatch.output.find("does not resample"), std::string::npos) << mismatch.output;
}

TEST_F(DpfPluginTool, ChunkOptionsAreRefusedForAPluginWithoutChunks)
{
    const std::string chunk = dir_.path() + "/state.bin";
    const auto result = runCommand(vsthost("--save-chunk " + shellQuote(chunk)));
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.output.find("keeps no state chunk"), std::string::npos) << result.output;
    EXPECT_FALSE(std::filesystem::exists(chunk));
}

TEST_F(DpfPluginTool, DemoRunsAndReportsLevels)
{
    const auto result = runCommand(shellQuote(VSTHOST_PATH) + " --demo " + shellQuote(DPF_PLUGIN_PATH));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    for (const char* expected : {"3 Band EQ", "== Setting parameters", "1 Mid = 0.6500", "Levels (dBFS) over 88200",
                                 "Non-finite output samples: 0", "keeps no state chunk", "Demo passed"})
        EXPECT_NE(result.output.find(expected), std::string::npos) << expected << "\n" << result.output;
}

}  // namespace
