// The built plug-in driven as a host drives it during playback, each part
// on its own thread: the audio thread processes a sine, the automation
// thread sets every parameter (filters included) and loads chunks, and the
// main thread idles the editor open in a window of a private X server.
// scripts/test.sh runs it built with ThreadSanitizer, with no suppressions:
// whatever two of these threads share must be handed over whole.

#include <gtest/gtest.h>

#include "XvfbServer.h"

#include "tools/vsthost/PluginHost.h"

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr float kRateHz = 48000.0f;
constexpr int kFrames = 128;
constexpr int kIdles = 150;
constexpr int kMinChanges = 3000;
constexpr int kChunkEvery = 25;
constexpr double kTwoPi = 6.283185307179586;

// The controls, the clear-overs and label-changed commands and every meter
// setting (the store command would write the per-user file).
std::vector<VstInt32> automatedIndices()
{
    std::vector<VstInt32> indices;
    for (VstInt32 i = 0; i <= 16; ++i)
        indices.push_back(i);
    indices.push_back(67);
    indices.push_back(69);
    for (VstInt32 i = 72; i <= 100; ++i)
        indices.push_back(i);
    return indices;
}

TEST(HostThreads, AudioAutomationAndEditorThreadsAtOnce)
{
    toolkit_test::XvfbServer server;
    if (!server.isRunning())
        GTEST_SKIP() << "Xvfb is not available";
    setenv("DISPLAY", server.displayName().c_str(), 1);
    std::string error;
    auto library = host::PluginLibrary::open(VALDORA_PLUGIN_PATH, error);
    ASSERT_TRUE(library) << error;
    host::hostState().reset();
    // The recording host keeps its log for one thread only.
    host::hostState().recordCalls = false;
    Display* display = XOpenDisplay(server.displayName().c_str());
    ASSERT_NE(display, nullptr);
    const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 586, 300, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);

    AEffect* effect = library->instantiate();
    ASSERT_NE(effect, nullptr);
    auto plugin = std::make_unique<host::Plugin>(effect);
    plugin->setSampleRate(kRateHz);
    plugin->setBlockSize(kFrames);
    std::vector<std::vector<unsigned char>> chunks;
    for (float value : {0.0f, 0.4f, 1.0f}) {
        for (VstInt32 index = 0; index <= 16; ++index)
            if (index != 2)
                plugin->setParameter(index, value);
        chunks.push_back(plugin->getChunk());
    }
    plugin->resume();
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);

    std::atomic<bool> stop{false};
    std::atomic<int> idles{0};
    std::atomic<long> nonFinite{0};
    std::thread audio([&] {
        std::vector<float> left(kFrames);
        std::vector<float> right(kFrames);
        long frame = 0;
        while (!stop.load()) {
            for (int i = 0; i < kFrames; ++i, ++frame)
                left[static_cast<size_t>(i)] = right[static_cast<size_t>(i)] =
                    static_cast<float>(0.5 * std::sin(kTwoPi * 100.0 * static_cast<double>(frame) / kRateHz));
            float* channels[] = {left.data(), right.data()};
            plugin->process(channels, channels, kFrames);
            for (int i = 0; i < kFrames; ++i)
                if (!std::isfinite(left[static_cast<size_t>(i)]) || !std::isfinite(right[static_cast<size_t>(i)]))
                    ++nonFinite;
        }
    });
    std::thread automation([&] {
        const std::vector<VstInt32> indices = automatedIndices();
        std::mt19937 random(20261208);
        std::uniform_int_distribution<size_t> pick(0, indices.size() - 1);
        std::uniform_real_distribution<float> value(0.0f, 1.0f);
        for (int change = 0; change < kMinChanges || idles.load() < kIdles; ++change) {
            if (change % kChunkEvery == 0)
                plugin->setChunk(chunks[static_cast<size_t>(change / kChunkEvery) % chunks.size()]);
            else
                plugin->setParameter(indices[pick(random)], value(random));
            if (change % 64 == 0)
                std::this_thread::yield();
        }
        stop = true;
    });
    while (!stop.load()) {
        plugin->dispatch(effEditIdle);
        ++idles;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    automation.join();
    audio.join();
    plugin->dispatch(effEditIdle);
    plugin->dispatch(effEditClose);
    plugin.reset();
    XDestroyWindow(display, parent);
    XCloseDisplay(display);

    EXPECT_EQ(nonFinite.load(), 0);
}

}  // namespace
