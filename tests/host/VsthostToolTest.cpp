// The command-line host's own parts (options, test signals, levels, chunk files)
// and its chunk and demo paths on a plug-in that keeps its state in a chunk.
#include "tests/host/RunCommand.h"
#include "tests/support/TempDir.h"
#include "tools/vsthost/ChunkFile.h"
#include "tools/vsthost/CommandLine.h"
#include "tools/vsthost/HostError.h"
#include "tools/vsthost/LevelStats.h"
#include "tools/vsthost/SignalGenerator.h"
#include "tools/vsthost/SoundFileReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace {

using testing_support::runCommand;
using testing_support::shellQuote;
using vsthost::HostError;
using vsthost::Options;
using vsthost::SignalGenerator;
using vsthost::SignalRecipe;
using vsthost::Waveform;

constexpr double kRateHz = 48000.0;

Options parse(const std::vector<std::string>& arguments)
{
    return vsthost::parseCommandLine(arguments);
}

int usageErrorOf(const std::vector<std::string>& arguments)
{
    try {
        parse(arguments);
    } catch (const HostError& error) {
        return error.code();
    }
    return vsthost::kExitOk;
}

// Reads a whole generated signal in awkward block sizes.
std::vector<std::vector<float>> generate(const std::vector<SignalRecipe>& recipes, double seconds)
{
    SignalGenerator generator(recipes, kRateHz, seconds);
    std::vector<std::vector<float>> channels(recipes.size());
    std::vector<std::vector<float>> block(recipes.size(), std::vector<float>(777));
    std::vector<float*> pointers;
    for (auto& b : block)
        pointers.push_back(b.data());
    int frames;
    while ((frames = generator.read(pointers.data(), 777)) > 0)
        for (size_t c = 0; c < recipes.size(); ++c)
            channels[c].insert(channels[c].end(), block[c].begin(), block[c].begin() + frames);
    return channels;
}

double rmsDb(const std::vector<float>& samples)
{
    double sum = 0.0;
    for (const float s : samples)
        sum += static_cast<double>(s) * s;
    return 10.0 * std::log10(sum / static_cast<double>(samples.size()));
}

// Power density at one frequency, averaged over Hann-windowed segments (Goertzel per segment).
double densityDb(const std::vector<float>& samples, double frequencyHz)
{
    constexpr size_t kSegment = 1024;
    constexpr double kTwoPi = 6.283185307179586;
    const double coefficient = 2.0 * std::cos(kTwoPi * frequencyHz / kRateHz);
    double total = 0.0;
    size_t segments = 0;
    for (size_t start = 0; start + kSegment <= samples.size(); start += kSegment, ++segments) {
        double previous = 0.0, beforePrevious = 0.0;
        for (size_t i = 0; i < kSegment; ++i) {
            const double window = 0.5 - 0.5 * std::cos(kTwoPi * static_cast<double>(i) / kSegment);
            const double current = window * samples[start + i] + coefficient * previous - beforePrevious;
            beforePrevious = previous;
            previous = current;
        }
        total += previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
    }
    return 10.0 * std::log10(total / static_cast<double>(segments));
}

TEST(CommandLine, ReadsOptionsInBothSpellings)
{
    const Options options = parse({"plug.so", "--set", "3=0.5", "--set=0=1", "--block=256", "--rate", "96000",
                                   "--pink", "--level", "-20", "--duration", "1.5", "--channels", "1"});
    EXPECT_EQ(options.pluginPath, "plug.so");
    ASSERT_EQ(options.settings.size(), 2u);
    EXPECT_EQ(options.settings[0].index, 3);
    EXPECT_EQ(options.settings[0].value, 0.5f);
    EXPECT_EQ(options.settings[1].index, 0);
    EXPECT_EQ(options.blockFrames, 256);
    EXPECT_EQ(options.sampleRate.value_or(0.0), 96000.0);
    EXPECT_EQ(options.generator, Waveform::Pink);
    EXPECT_EQ(options.levelDb, -20.0);
    EXPECT_EQ(options.durationSeconds, 1.5);
    EXPECT_EQ(options.channels, 1);
    EXPECT_TRUE(parse({"--demo"}).demo);
}

TEST(CommandLine, RefusesWhatAHostCannotDo)
{
    const std::vector<std::vector<std::string>> wrong = {
        {},                                         // no plug-in
        {"p.so", "--set", "3"},                     // no value
        {"p.so", "--set", "x=0.5"},                 // no index
        {"p.so", "--set", "3=1.5"},                 // beyond normalised range
        {"p.so", "--set", "3=nan"},
        {"p.so", "--block", "0"},
        {"p.so", "--block", "12.5"},
        {"p.so", "--rate", "-44100"},
        {"p.so", "--channels", "3"},
        {"p.so", "--input", "a.wav", "--sine", "100"},
        {"p.so", "--sine", "100", "--white"},
        {"p.so", "--output", "o.wav"},              // nothing to process
        {"p.so", "--block"},                        // value missing at the end
        {"p.so", "q.so"},
        {"p.so", "--frobnicate"},
    };
    for (const auto& arguments : wrong) {
        std::string line;
        for (const auto& a : arguments)
            line += a + " ";
        EXPECT_EQ(usageErrorOf(arguments), vsthost::kExitUsage) << line;
    }
}

TEST(SignalGenerator, SineHasItsPeakLevelAndExactLength)
{
    const auto channels = generate({{Waveform::Sine, 1000.0, -6.0}}, 1.25);
    ASSERT_EQ(channels[0].size(), 60000u);
    float peak = 0.0f;
    for (const float s : channels[0])
        peak = std::max(peak, std::fabs(s));
    EXPECT_NEAR(20.0 * std::log10(peak), -6.0, 0.01);
    // A sine's RMS is 3.01 dB below its peak.
    EXPECT_NEAR(rmsDb(channels[0]), -9.01, 0.01);
}

TEST(SignalGenerator, NoiseHasItsRmsLevelAndItsColour)
{
    const auto channels = generate({{Waveform::White, 0.0, -20.0}, {Waveform::Pink, 0.0, -20.0}}, 10.0);
    EXPECT_NEAR(rmsDb(channels[0]), -20.0, 0.1);
    // Pink noise wanders slowly at low frequencies, so its level over 10 s scatters more.
    EXPECT_NEAR(rmsDb(channels[1]), -20.0, 0.5);
    // White is flat; pink falls 3 dB per octave, so 6 dB per two octaves. Averaging
    // 468 segments keeps each estimate within about 0.3 dB.
    for (const double frequencyHz : {150.0, 600.0, 2400.0}) {
        const double up = frequencyHz * 4.0;
        EXPECT_NEAR(densityDb(channels[0], up) - densityDb(channels[0], frequencyHz), 0.0, 1.0) << frequencyHz;
        EXPECT_NEAR(densityDb(channels[1], up) - densityDb(channels[1], frequencyHz), -6.0, 1.0) << frequencyHz;
    }
}

TEST(SignalGenerator, StereoNoiseChannelsAreUncorrelated)
{
    const auto channels = generate({{Waveform::White, 0.0, -12.0}, {Waveform::White, 0.0, -12.0}}, 2.0);
    double product = 0.0, left = 0.0, right = 0.0;
    for (size_t i = 0; i < channels[0].size(); ++i) {
        product += static_cast<double>(channels[0][i]) * channels[1][i];
        left += static_cast<double>(channels[0][i]) * channels[0][i];
        right += static_cast<double>(channels[1][i]) * channels[1][i];
    }
    EXPECT_LT(std::fabs(product / std::sqrt(left * right)), 0.02);
}

TEST(LevelStats, KeepsNonFiniteSamplesOutOfPeakAndRms)
{
    vsthost::LevelStats stats(2);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<float> left = {0.5f, -0.5f, 0.5f, -0.5f};
    std::vector<float> right = {nan, 0.25f, -inf, 0.0f};
    const float* buffers[] = {left.data(), right.data()};
    stats.add(buffers, 4);
    EXPECT_EQ(stats.frames(), 4);
    EXPECT_EQ(stats.peak(0), 0.5f);
    EXPECT_DOUBLE_EQ(stats.rms(0), 0.5);
    EXPECT_EQ(stats.peak(1), 0.25f);
    EXPECT_EQ(stats.nonFinite(1), 2);
    EXPECT_EQ(stats.nonFiniteTotal(), 2);
    EXPECT_EQ(vsthost::toDb(0.0), -std::numeric_limits<double>::infinity());
}

TEST(ChunkFile, RoundTripsBytesAndRefusesMissingOrEmptyFiles)
{
    const testing_support::TempDir dir;
    const std::string path = dir.path() + "/state.bin";
    const std::vector<unsigned char> bytes = {0, 1, 2, 255, 0, 7};
    vsthost::writeChunkFile(path, bytes);
    EXPECT_EQ(vsthost::readChunkFile(path), bytes);

    std::ofstream(dir.path() + "/empty.bin").close();
    for (const std::string& bad : {dir.path() + "/missing.bin", dir.path() + "/empty.bin"}) {
        try {
            vsthost::readChunkFile(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const HostError& error) {
            EXPECT_EQ(error.code(), vsthost::kExitFile);
            EXPECT_NE(std::string(error.what()).find(bad), std::string::npos);
        }
    }
}

class ChunkPluginTool : public testing::Test {
protected:
    static std::string vsthost(const std::string& arguments)
    {
        return shellQuote(VSTHOST_PATH) + " " + shellQuote(FIXTURE_GAIN_PATH) + " " + arguments;
    }
    testing_support::TempDir dir_;
};

TEST_F(ChunkPluginTool, SavedChunkRestoresParametersInALaterRun)
{
    const std::string chunk = dir_.path() + "/gain.chunk";
    const auto save = runCommand(vsthost("--set 0=0.25 --set 1=1 --save-chunk " + shellQuote(chunk)));
    ASSERT_EQ(save.exitCode, 0) << save.output;
    EXPECT_EQ(std::filesystem::file_size(chunk), 12u);

    // The restored gain (x 0.5, inverted) shows in the processed audio: a -6 dBFS sine comes out at -12 dBFS.
    const std::string output = dir_.path() + "/out.wav";
    const auto load = runCommand(vsthost("--load-chunk " + shellQuote(chunk) +
                                         " --sine 1000 --level -6 --duration 0.1 --output " + shellQuote(output)));
    ASSERT_EQ(load.exitCode, 0) << load.output;
    EXPECT_NE(load.output.find("Gain             0.500"), std::string::npos) << load.output;
    EXPECT_NE(load.output.find("Invert           On"), std::string::npos) << load.output;
    vsthost::SoundFileReader processed(output);
    std::vector<float> left(4410), right(4410);
    float* buffers[] = {left.data(), right.data()};
    ASSERT_EQ(processed.read(buffers, 4410), 4410);
    const float inputAt = 0.5011872f * std::sin(6.2831853f * 1000.0f * 10.0f / 44100.0f);
    EXPECT_NEAR(left[10], -0.5f * inputAt, 1e-6f);
}

TEST_F(ChunkPluginTool, MissingOrUnusableFilesAreFileErrorsNamingTheFile)
{
    const std::string empty = dir_.path() + "/empty.chunk";
    std::ofstream(empty).close();
    const std::string text = dir_.path() + "/text.wav";
    std::ofstream(text) << "not audio";
    const std::vector<std::string> arguments = {
        "--load-chunk " + shellQuote(empty),
        "--load-chunk " + shellQuote(dir_.path() + "/missing.chunk"),
        "--input " + shellQuote(dir_.path() + "/missing.wav"),
        "--input " + shellQuote(text),
        "--sine 100 --output " + shellQuote(dir_.path() + "/out.mp3"),
        "--sine 100 --output " + shellQuote(dir_.path() + "/no-such-folder/out.wav"),
    };
    for (const std::string& argument : arguments) {
        const auto result = runCommand(vsthost(argument));
        EXPECT_EQ(result.exitCode, 4) << argument << "\n" << result.output;
        const std::string named = argument.substr(argument.rfind('/') + 1, 8);
        EXPECT_NE(result.output.find(named), std::string::npos) << named << "\n" << result.output;
    }
}

TEST_F(ChunkPluginTool, LibraryThatIsNotALibraryIsRefused)
{
    const std::string fake = dir_.path() + "/fake.so";
    std::ofstream(fake) << "not an ELF file";
    const auto result = runCommand(shellQuote(VSTHOST_PATH) + " " + shellQuote(fake));
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.output.find("fake.so"), std::string::npos) << result.output;
}

TEST_F(ChunkPluginTool, DemoCarriesTheChunkIntoASecondInstance)
{
    const auto result = runCommand(shellQuote(VSTHOST_PATH) + " --demo " + shellQuote(FIXTURE_GAIN_PATH));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("Chunk from the first instance: 12 bytes"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("match: yes (2 of 2)"), std::string::npos) << result.output;
}

TEST_F(ChunkPluginTool, DemoFailsWhenTheSecondInstanceDoesNotMatch)
{
    const auto result =
        runCommand("VALDORA_FIXTURE_FORGETFUL=1 " + shellQuote(VSTHOST_PATH) + " --demo " + shellQuote(FIXTURE_GAIN_PATH));
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_NE(result.output.find("match: no (0 of 2)"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Demo FAILED"), std::string::npos) << result.output;
}

TEST(VsthostDemo, RunsOnTheBuiltPluginOrSaysHowToGetIt)
{
    const auto result = runCommand(shellQuote(VSTHOST_PATH) + " --demo");
    if (!std::filesystem::exists(VALDORA_PLUGIN_PATH)) {
        EXPECT_EQ(result.exitCode, 3) << result.output;
        EXPECT_NE(result.output.find("build it first"), std::string::npos) << result.output;
        return;
    }
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("Effect name:     QOR Valdora"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Demo passed"), std::string::npos) << result.output;
}

}  // namespace
