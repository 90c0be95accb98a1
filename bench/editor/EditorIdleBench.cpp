// One full editor idle on an offscreen frame: the shown panel polls its
// meter engine, moves its views, and the dirty region is drawn. Two 512-frame
// blocks of a level-swept sine run between idles (about 43 idles a second at
// 44.1 kHz, as a host drives it), so the needles move on every idle; only
// the idle is timed.

#include "base/ParameterIds.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "editor/TemepleteEditor.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

namespace {

constexpr int kFrames = 512;
constexpr int kBlocksPerIdle = 2;
constexpr float kRateHz = 44100.0F;
constexpr double kTwoPi = 6.283185307179586;

VstIntPtr benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

void idleWithAudio(benchmark::State& state, int meter, float showStrips, double scale = 1.0)
{
    Templete effect(benchHost, makeTemepleteEditor);
    effect.setParameter(param::kMeter, static_cast<float>(meter) * 0.5F);
    effect.setParameter(param::kShowStrips, showStrips);
    effect.setParameter(param::kShowFilters, showStrips);
    effect.setParameter(param::kShowLabel, showStrips);
    effect.setSampleRate(kRateHz);
    effect.resume();
    auto* editor = dynamic_cast<TemepleteEditor*>(effect.getEditor());
    AEffGUIEditor::setScaleOverride(scale);
    const bool opened = editor && editor->openOffscreen();
    AEffGUIEditor::setScaleOverride(0);
    if (!opened) {
        state.SkipWithError("no offscreen editor");
        return;
    }
    editor->idle();

    std::vector<float> left(kFrames);
    std::vector<float> right(kFrames);
    float* channels[] = {left.data(), right.data()};
    long long frame = 0;
    for (auto _ : state) {
        for (int block = 0; block < kBlocksPerIdle; ++block) {
            for (int i = 0; i < kFrames; ++i, ++frame) {
                const double t = static_cast<double>(frame) / kRateHz;
                // A 0.5 Hz sweep from about -40 dB to full scale.
                const double level = 0.01 + 0.99 * (0.5 + 0.5 * std::sin(kTwoPi * 0.5 * t));
                left[static_cast<size_t>(i)] = static_cast<float>(level * std::sin(kTwoPi * 1000.0 * t));
                right[static_cast<size_t>(i)] = 0.5F * left[static_cast<size_t>(i)];
            }
            effect.processReplacing(channels, channels, kFrames);
        }
        const auto start = std::chrono::steady_clock::now();
        editor->idle();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    editor->close();
}

void BM_EditorIdle_VU(benchmark::State& state) { idleWithAudio(state, 0, 1.0F); }
void BM_EditorIdle_RMS(benchmark::State& state) { idleWithAudio(state, 1, 1.0F); }
void BM_EditorIdle_PPM(benchmark::State& state) { idleWithAudio(state, 2, 1.0F); }
void BM_EditorIdle_VU_StripsHidden(benchmark::State& state) { idleWithAudio(state, 0, 0.0F); }
// The same on a dense screen: every drawn area covers four times the pixels.
void BM_EditorIdle_VU_2x(benchmark::State& state) { idleWithAudio(state, 0, 1.0F, 2.0); }
void BM_EditorIdle_RMS_2x(benchmark::State& state) { idleWithAudio(state, 1, 1.0F, 2.0); }
void BM_EditorIdle_PPM_2x(benchmark::State& state) { idleWithAudio(state, 2, 1.0F, 2.0); }
void BM_EditorIdle_VU_1_5x(benchmark::State& state) { idleWithAudio(state, 0, 1.0F, 1.5); }

BENCHMARK(BM_EditorIdle_VU)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorIdle_RMS)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorIdle_PPM)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorIdle_VU_StripsHidden)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorIdle_VU_2x)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorIdle_RMS_2x)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorIdle_PPM_2x)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorIdle_VU_1_5x)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
