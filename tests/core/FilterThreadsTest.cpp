// Listening to the strip filters while another thread changes them: a 30 Hz
// tone deep in the high-pass's stop band stays as quiet as when the same
// kind of changes come between blocks on the audio thread. A block run with
// pass-through or half-made coefficients lets the tone through (or blows
// up), whatever the thread timing.

#include "LoadedPlugin.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iterator>
#include <random>
#include <thread>
#include <tuple>
#include <vector>

namespace {

constexpr float kRateHz = 44100.0f;
constexpr int kFrames = 64;
constexpr int kChanges = 20000;
constexpr int kThreadedPasses = 15;  // the other thread goes through the list this often
constexpr int kChunkEvery = 10;  // every tenth change loads a whole chunk
constexpr int kSettleBlocks = 200;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kToneHz = 30.0;
constexpr float kTonePeak = 0.5f;

constexpr VstInt32 kProcess = 0;
constexpr VstInt32 kProcessFilters = 8;
constexpr VstInt32 kHighPassStatus = 9;
constexpr VstInt32 kHighPassSlope = 10;
constexpr VstInt32 kHighPassFrequency = 11;
constexpr VstInt32 kLowPassStatus = 12;
constexpr VstInt32 kLowPassSlope = 13;
constexpr VstInt32 kLowPassFrequency = 14;
// 1 kHz..2 kHz: the tone is at least five octaves below the corner.
constexpr float kLowestHighPass = 0.85f;

struct Change {
    VstInt32 index;  // -1: load chunk number `value`
    float value;
};

// What may move without taking the high-pass out or bringing its corner
// down towards the tone.
struct Move {
    VstInt32 index;
    float lowest;
    float highest;
    bool toggles;
};
constexpr Move kMoves[] = {{kHighPassFrequency, kLowestHighPass, 1.0f, false},
                           {kHighPassSlope, 0.0f, 1.0f, true},
                           {kLowPassStatus, 0.0f, 1.0f, true},
                           {kLowPassSlope, 0.0f, 1.0f, true},
                           {kLowPassFrequency, 0.0f, 1.0f, false}};

std::vector<Change> changes(size_t chunkCount)
{
    std::mt19937 random(1208);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<Change> list;
    for (int i = 0; i < kChanges; ++i) {
        if (i % kChunkEvery == 0) {
            list.push_back({-1, static_cast<float>(static_cast<size_t>(i / kChunkEvery) % chunkCount)});
            continue;
        }
        const Move& move = kMoves[random() % std::size(kMoves)];
        const float value = move.lowest + (move.highest - move.lowest) * unit(random);
        list.push_back({move.index, move.toggles ? std::round(value) : value});
    }
    return list;
}

class FilterThreads : public LoadedPlugin {
protected:
    std::unique_ptr<host::Plugin> prepared()
    {
        auto plugin = open();
        if (!plugin)
            return nullptr;
        plugin->setSampleRate(kRateHz);
        plugin->setBlockSize(kFrames);
        for (const auto& [index, value] : std::vector<std::pair<VstInt32, float>>{
                 {kProcess, 1.0f}, {kProcessFilters, 1.0f}, {kHighPassStatus, 1.0f}, {kHighPassSlope, 1.0f},
                 {kHighPassFrequency, kLowestHighPass}, {kLowPassStatus, 0.0f}})
            plugin->setParameter(index, value);
        plugin->resume();
        return plugin;
    }

    // Whole states to load, each with the high-pass in above 1 kHz.
    std::vector<std::vector<unsigned char>> chunks()
    {
        auto plugin = prepared();
        std::vector<std::vector<unsigned char>> saved;
        for (const auto& [slope, hz, lowPass] : std::vector<std::tuple<float, float, float>>{
                 {0.0f, 1.0f, 1.0f}, {1.0f, kLowestHighPass, 0.0f}, {1.0f, 0.93f, 1.0f}}) {
            plugin->setParameter(kHighPassSlope, slope);
            plugin->setParameter(kHighPassFrequency, hz);
            plugin->setParameter(kLowPassStatus, lowPass);
            plugin->setParameter(kLowPassSlope, 1.0f - slope);
            saved.push_back(plugin->getChunk());
        }
        return saved;
    }

    static void apply(const host::Plugin& plugin, const Change& change,
                      const std::vector<std::vector<unsigned char>>& saved)
    {
        if (change.index < 0)
            plugin.setChunk(saved[static_cast<size_t>(change.value)]);
        else
            plugin.setParameter(change.index, change.value);
    }

    // One block of the tone; after the filters have settled its loudest
    // sample counts.
    struct Listener {
        std::vector<float> left = std::vector<float>(kFrames);
        std::vector<float> right = std::vector<float>(kFrames);
        long frame = 0;
        long blocks = 0;
        float loudest = 0.0f;
        long nonFinite = 0;

        void block(const host::Plugin& plugin)
        {
            for (int i = 0; i < kFrames; ++i, ++frame)
                left[static_cast<size_t>(i)] = right[static_cast<size_t>(i)] =
                    kTonePeak * static_cast<float>(std::sin(kTwoPi * kToneHz * static_cast<double>(frame) / kRateHz));
            float* channels[] = {left.data(), right.data()};
            plugin.process(channels, channels, kFrames);
            if (++blocks <= kSettleBlocks)
                return;
            for (int i = 0; i < kFrames; ++i) {
                for (const float sample : {left[static_cast<size_t>(i)], right[static_cast<size_t>(i)]}) {
                    if (!std::isfinite(sample))
                        ++nonFinite;
                    else
                        loudest = std::max(loudest, std::fabs(sample));
                }
            }
        }
    };
};

TEST_F(FilterThreads, ChangesFromAnotherThreadKeepTheStopBandAsQuietAsBetweenBlocks)
{
    const auto saved = chunks();
    ASSERT_EQ(saved.size(), 3u);
    const std::vector<Change> list = changes(saved.size());

    auto serial = prepared();
    ASSERT_TRUE(serial);
    Listener between;
    for (int i = 0; i < kSettleBlocks; ++i)
        between.block(*serial);
    for (size_t i = 0; i < list.size(); i += 2) {
        apply(*serial, list[i], saved);
        apply(*serial, list[i + 1], saved);
        between.block(*serial);
    }

    auto threaded = prepared();
    ASSERT_TRUE(threaded);
    Listener during;
    for (int i = 0; i < kSettleBlocks; ++i)
        during.block(*threaded);
    std::atomic<bool> done{false};
    std::thread automation([&] {
        for (int pass = 0; pass < kThreadedPasses; ++pass)
            for (const Change& change : list)
                apply(*threaded, change, saved);
        done = true;
    });
    while (!done.load())
        during.block(*threaded);
    automation.join();

    EXPECT_EQ(between.nonFinite, 0);
    EXPECT_EQ(during.nonFinite, 0) << "over " << during.blocks << " blocks";
    // Between blocks the tone stays about 60 dB down; a block with the
    // high-pass missing would bring it back near full level.
    EXPECT_LT(between.loudest, 0.01f);
    EXPECT_LE(during.loudest, 2.0f * between.loudest) << "over " << during.blocks << " blocks";
}

}  // namespace
