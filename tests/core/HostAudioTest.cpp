// The audio path through the loaded plug-in: pass-through, trim, glide,
// channel selection, filters in the path and unusable sample rates.

#include "LoadedPlugin.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

using Audio = LoadedPlugin;

constexpr float kGuard = 12345.0f;

struct Block {
    explicit Block(size_t frames)
        : inLeft(frames), inRight(frames), outLeft(frames, kGuard), outRight(frames, kGuard)
    {
        for (size_t i = 0; i < frames; ++i) {
            inLeft[i] = 0.5f * std::sin(0.031f * static_cast<float>(i));
            inRight[i] = -0.25f + 0.001f * static_cast<float>(i % 17);
        }
    }
    void run(const host::Plugin& plugin)
    {
        float* inputs[] = {inLeft.data(), inRight.data()};
        float* outputs[] = {outLeft.data(), outRight.data()};
        plugin.process(inputs, outputs, static_cast<VstInt32>(inLeft.size()));
    }
    std::vector<float> inLeft, inRight, outLeft, outRight;
};

std::vector<float> constant(size_t frames, float value)
{
    return std::vector<float>(frames, value);
}

TEST_F(Audio, ProcessOffPassesAudioBitForBitWhateverTheTrim)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(1, 1.0f);
    plugin->setParameter(8, 1.0f);
    plugin->resume();
    Block block(1000);
    block.inLeft[3] = -0.0f;
    block.inLeft[4] = 1e-40f;  // denormal
    block.inRight[5] = std::numeric_limits<float>::quiet_NaN();
    block.run(*plugin);
    for (size_t i = 0; i < block.inLeft.size(); ++i) {
        ASSERT_EQ(std::memcmp(&block.outLeft[i], &block.inLeft[i], sizeof(float)), 0) << i;
        ASSERT_EQ(std::memcmp(&block.outRight[i], &block.inRight[i], sizeof(float)), 0) << i;
    }
}

TEST_F(Audio, TrimSetWhileSuspendedAppliesFromTheFirstSample)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(0, 1.0f);
    plugin->setParameter(1, 0.65f);  // +6.0 dB
    plugin->resume();
    Block block(64);
    block.inLeft = constant(64, 1.0f);
    block.inRight = constant(64, -0.5f);
    block.run(*plugin);
    const float gain = static_cast<float>(std::pow(10.0, 6.0 / 20.0));
    EXPECT_EQ(block.outLeft[0], gain);
    EXPECT_EQ(block.outRight[0], -0.5f * gain);
    EXPECT_EQ(block.outLeft[63], gain);
}

// A change while running glides: one-pole, about 45 ms to 1/e at any rate.
TEST_F(Audio, TrimChangeWhileRunningGlidesTowardTheTarget)
{
    for (float rate : {44100.0f, 96000.0f}) {
        auto plugin = open();
        ASSERT_TRUE(plugin);
        plugin->setParameter(0, 1.0f);
        plugin->setSampleRate(rate);
        plugin->resume();
        plugin->setParameter(1, 0.65f);
        const size_t frames = static_cast<size_t>(rate * 0.045351);
        Block block(frames);
        block.inLeft = constant(frames, 1.0f);
        block.inRight = constant(frames, 1.0f);
        block.run(*plugin);
        const double target = std::pow(10.0, 6.0 / 20.0);
        // The first sample already moves 0.0005 of the way at 44100 Hz.
        EXPECT_NEAR(block.outLeft[0] - 1.0, (target - 1.0) * 0.0005 * 44100.0 / rate, 1e-6) << rate;
        for (size_t i = 1; i < frames; ++i)
            ASSERT_GE(block.outLeft[i], block.outLeft[i - 1]) << i;
        EXPECT_NEAR((target - block.outLeft[frames - 1]) / (target - 1.0), std::exp(-1.0), 3e-3) << rate;
    }
}

TEST_F(Audio, ProcessOnWithUnityTrimKeepsTheSignal)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(0, 1.0f);
    plugin->resume();
    Block block(256);
    block.run(*plugin);
    EXPECT_EQ(block.outLeft, block.inLeft);
    EXPECT_EQ(block.outRight, block.inRight);
}

TEST_F(Audio, SharedInputPointerGivesTheLeftChannelOnBothOutputs)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(0, 1.0f);
    plugin->resume();
    Block block(100);
    float* inputs[] = {block.inLeft.data(), block.inLeft.data()};
    float* outputs[] = {block.outLeft.data(), block.outRight.data()};
    plugin->process(inputs, outputs, 100);
    EXPECT_EQ(block.outLeft, block.inLeft);
    EXPECT_EQ(block.outRight, block.inLeft);
}

TEST_F(Audio, MonoArrangementsUseTheLeftInput)
{
    for (int outputsWanted : {1, 2}) {
        auto plugin = open();
        ASSERT_TRUE(plugin);
        VstSpeakerArrangement in{};
        in.numChannels = 1;
        VstSpeakerArrangement out{};
        out.numChannels = outputsWanted;
        ASSERT_EQ(plugin->dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
        for (float process : {0.0f, 1.0f}) {
            plugin->setParameter(0, process);
            plugin->resume();
            Block block(80);
            block.run(*plugin);
            EXPECT_EQ(block.outLeft, block.inLeft);
            if (outputsWanted == 1)
                EXPECT_EQ(block.outRight, constant(80, kGuard)) << "only the first output is written";
            else
                EXPECT_EQ(block.outRight, block.inLeft);
            plugin->suspend();
        }
    }
}

TEST_F(Audio, UnconnectedSecondPinsFoldToTheFirstChannel)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->resume();
    host::hostState().calls.clear();
    host::hostState().pinConnectedAnswer = 1;
    Block block(32);
    block.run(*plugin);
    EXPECT_EQ(block.outLeft, block.inLeft);
    EXPECT_EQ(block.outRight, constant(32, kGuard));
    ASSERT_EQ(host::hostState().calls.size(), 2u) << "the two pin queries and nothing else";
    EXPECT_EQ(host::hostState().calls[0].opcode, audioMasterPinConnected);
    EXPECT_EQ(host::hostState().calls[0].index, 1);
    EXPECT_EQ(host::hostState().calls[0].value, 0) << "input";
    EXPECT_EQ(host::hostState().calls[1].index, 1);
    EXPECT_EQ(host::hostState().calls[1].value, 1) << "output";
}

TEST_F(Audio, EmptyNegativeAndMissingBlocksWriteNothing)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(0, 1.0f);
    plugin->setParameter(8, 1.0f);
    plugin->resume();
    Block block(8);
    float* inputs[] = {block.inLeft.data(), block.inRight.data()};
    float* outputs[] = {block.outLeft.data(), block.outRight.data()};
    plugin->process(inputs, outputs, 0);
    plugin->process(inputs, outputs, -5);
    EXPECT_EQ(block.outLeft, constant(8, kGuard));
    plugin->process(nullptr, outputs, 8);
    plugin->process(inputs, nullptr, 8);
    float* missing[] = {nullptr, nullptr};
    plugin->process(missing, outputs, 8);
    plugin->process(inputs, missing, 8);
    EXPECT_EQ(block.outLeft, constant(8, kGuard));
}

// The high-pass of the default filter settings removes a DC offset once the
// filters are switched into the processed signal.
TEST_F(Audio, FiltersRunOnlyWithProcessAndProcFltOn)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(0, 1.0f);
    plugin->resume();
    Block dc(44100);
    dc.inLeft = constant(44100, 0.5f);
    dc.inRight = constant(44100, 0.5f);
    dc.run(*plugin);
    EXPECT_EQ(dc.outLeft.back(), 0.5f) << "ProcFlt off: no filter";

    plugin->setParameter(8, 1.0f);
    dc.run(*plugin);
    EXPECT_LT(std::fabs(dc.outLeft.back()), 1e-3f);
    EXPECT_LT(std::fabs(dc.outRight.back()), 1e-3f);

    plugin->setParameter(0, 0.0f);
    dc.run(*plugin);
    EXPECT_EQ(dc.outLeft.back(), 0.5f) << "Process off: no filter";
}

// One NaN in the input shows in that sample only; the instance recovers.
TEST_F(Audio, NonFiniteInputLeavesNoTraceInLaterBlocks)
{
    auto hit = open();
    auto clean = open();
    ASSERT_TRUE(hit && clean);
    for (auto* plugin : {hit.get(), clean.get()}) {
        plugin->setParameter(0, 1.0f);
        plugin->setParameter(8, 1.0f);
        plugin->setParameter(10, 1.0f);
        plugin->setParameter(13, 1.0f);
        plugin->setParameter(14, 0.5f);
        plugin->resume();
    }
    Block bad(64);
    bad.inLeft = constant(64, 0.0f);
    bad.inRight = constant(64, 0.0f);
    Block zeros = bad;
    bad.inLeft[0] = std::numeric_limits<float>::quiet_NaN();
    bad.inRight[0] = std::numeric_limits<float>::infinity();
    bad.run(*hit);
    zeros.run(*clean);
    EXPECT_FALSE(std::isfinite(bad.outLeft[0]));
    for (size_t i = 1; i < 64; ++i)
        EXPECT_EQ(bad.outLeft[i], 0.0f) << i;

    Block afterHit(500);
    Block afterClean(500);
    afterHit.run(*hit);
    afterClean.run(*clean);
    EXPECT_EQ(afterHit.outLeft, afterClean.outLeft);
    EXPECT_EQ(afterHit.outRight, afterClean.outRight);
}

// Glide and filters of an unusable rate are those of 44100 Hz.
TEST_F(Audio, UnusableSampleRatesRunAs44100)
{
    auto runAt = [&](float rate) {
        auto plugin = open();
        plugin->setParameter(0, 1.0f);
        plugin->setParameter(8, 1.0f);
        plugin->setParameter(11, 0.5f);
        plugin->setParameter(14, 0.3f);
        plugin->setSampleRate(rate);
        plugin->resume();
        plugin->setParameter(1, 0.9f);
        Block block(700);
        block.run(*plugin);
        return block.outLeft;
    };
    const std::vector<float> reference = runAt(44100.0f);
    for (float rate : {10000.0f, 0.0f, -44100.0f, 250000.0f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity()}) {
        const std::vector<float> output = runAt(rate);
        EXPECT_EQ(output, reference) << rate;
    }
    EXPECT_NE(runAt(48000.0f), reference) << "a usable rate does change the result";
}

TEST_F(Audio, ResumeAsksTheHostForItsOutputLatency)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    host::hostState().calls.clear();
    plugin->resume();
    EXPECT_EQ(host::hostState().count(audioMasterGetOutputLatency), 1);
}

}  // namespace
