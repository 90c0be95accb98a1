// A host that automates from its own thread: one thread sets every control
// and meter setting to random values and processes audio while the main
// thread idles the editor. The editor must end up showing what the effect
// holds; built with ThreadSanitizer (scripts/test.sh) it must be race-free.

#include "base/ParameterIds.h"
#include "controls/CQORSlider.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "editor/TemepleteEditor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr int kFrames = 256;
constexpr int kBlocks = 600;
constexpr float kRateHz = 48000.0F;
constexpr int kMinIdles = 20;

std::atomic<int> automateCalls{0};

// Answers from any thread; counts what the editor reports back.
VstIntPtr threadSafeHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    if (opcode == audioMasterAutomate)
        automateCalls.fetch_add(1, std::memory_order_relaxed);
    if (opcode == audioMasterPinConnected)
        return 0;  // connected
    return opcode == audioMasterVersion ? 2400 : 0;
}

std::vector<VstInt32> automatedIndices()
{
    std::vector<VstInt32> indices;
    for (VstInt32 i = 0; i < param::kNumControls; ++i)
        indices.push_back(i);
    for (VstInt32 i = param::kFirstRmsSetting; i <= param::kLastPpmSetting; ++i)
        indices.push_back(i);
    return indices;
}

int expectedHeight(Templete& effect)
{
    if (effect.getParameter(param::kShowStrips) < 0.5F)
        return 169;
    return 169 + (effect.getParameter(param::kShowFilters) >= 0.5F ? 53 : 13) +
           (effect.getParameter(param::kShowLabel) >= 0.5F ? 39 : 13);
}

TEST(AutomationThread, EditorIdlesWhileAnotherThreadAutomatesAndProcesses)
{
    Templete effect(threadSafeHost, makeTemepleteEditor);
    effect.setSampleRate(kRateHz);
    effect.resume();
    auto* editor = dynamic_cast<TemepleteEditor*>(effect.getEditor());
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->openOffscreen());
    automateCalls = 0;

    std::atomic<bool> done{false};
    std::atomic<int> idles{0};
    std::thread host([&] {
        const std::vector<VstInt32> indices = automatedIndices();
        std::mt19937 random(20261208);
        std::uniform_int_distribution<size_t> pick(0, indices.size() - 1);
        std::uniform_real_distribution<float> value(0.0F, 1.0F);
        std::vector<float> left(kFrames);
        std::vector<float> right(kFrames);
        float* channels[] = {left.data(), right.data()};
        long long frame = 0;
        // At least kBlocks, and on until the editor has idled often enough to
        // overlap with it, however slow either side runs.
        for (int block = 0; block < kBlocks || idles.load() < kMinIdles; ++block) {
            for (int n = 0; n < 3; ++n)
                effect.setParameter(indices[pick(random)], value(random));
            for (int i = 0; i < kFrames; ++i, ++frame) {
                left[static_cast<size_t>(i)] = 0.7F * std::sin(0.13F * static_cast<float>(frame % 1000));
                right[static_cast<size_t>(i)] = value(random) - 0.5F;
            }
            effect.processReplacing(channels, channels, kFrames);
            if (block % 16 == 0)
                std::this_thread::yield();
        }
        done = true;
    });
    while (!done.load()) {
        editor->idle();
        ++idles;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    host.join();
    editor->idle();

    EXPECT_EQ(automateCalls.load(), 0) << "host changes are not reported back to the host";
    const int meter = static_cast<int>(effect.getParameter(param::kMeter) * 2.0F + 0.5F);
    EXPECT_EQ(editor->getCurrentMeter(), meter) << "the last meter change reached the editor";
    EXPECT_EQ(editor->getHeight(), expectedHeight(effect)) << "and the last strip change";
    const FrontControls& shown = editor->getPanel(meter)->getControls();
    EXPECT_FLOAT_EQ(shown.trimSlider->getValue(), effect.getParameter(param::kTrim));
    editor->close();
}

}  // namespace
