// The effect's processReplacing with Process on and each meter selected, its
// precise option off and on, stereo, in 64- and 512-frame blocks; the cost
// per frame is comparable with the Ebur128TruePeak anchor of the same run.
//
// Names: ProcessReplacing/meter:<0 VU, 1 RMS, 2 PPM>/rate/block/precise; counter per_frame.

#include "base/ParameterIds.h"
#include "core/Templete.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

namespace {

constexpr int kFramesPerIteration = 4096;
constexpr VstInt32 kPreciseId[] = {91, 80, 100};  // VU, RMS, PPM

VstIntPtr benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

void ProcessReplacingBench(benchmark::State& state)
{
    const int meter = static_cast<int>(state.range(0));
    const auto sampleRate = static_cast<float>(state.range(1));
    const int blockFrames = static_cast<int>(state.range(2));
    const bool precise = state.range(3) != 0;

    Templete effect(benchHost);
    // The instance's own settings: what the per-user store holds does not matter.
    effect.setParameter(param::kSettingsSource, 1.0f);
    effect.setParameter(param::kProcess, 1.0f);
    effect.setParameter(param::kMeter, meter * 0.5f);
    effect.setParameter(kPreciseId[meter], precise ? 1.0f : 0.0f);
    effect.setSampleRate(sampleRate);
    effect.resume();

    // A loud sine plus noise, as a mastered mix might be.
    std::vector<float> inLeft(kFramesPerIteration);
    std::vector<float> inRight(kFramesPerIteration);
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0.0f, 0.1f);
    for (int n = 0; n < kFramesPerIteration; ++n) {
        const double tone = 0.7 * std::sin(2.0 * 3.14159265358979323846 * 997.0 * n / sampleRate);
        inLeft[static_cast<std::size_t>(n)] = static_cast<float>(tone) + noise(random);
        inRight[static_cast<std::size_t>(n)] = static_cast<float>(-0.5 * tone) + noise(random);
    }
    std::vector<float> outLeft(kFramesPerIteration);
    std::vector<float> outRight(kFramesPerIteration);
    for (auto _ : state) {
        for (int start = 0; start < kFramesPerIteration; start += blockFrames) {
            float* inputs[] = {inLeft.data() + start, inRight.data() + start};
            float* outputs[] = {outLeft.data() + start, outRight.data() + start};
            effect.processReplacing(inputs, outputs, blockFrames);
        }
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(outLeft.data());
    const double frames = static_cast<double>(state.iterations()) * kFramesPerIteration;
    state.counters["per_frame"] = benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(ProcessReplacingBench)
    ->Name("ProcessReplacing")
    ->ArgNames({"meter", "rate", "block", "precise"})
    ->ArgsProduct({{0, 1, 2}, {44100, 96000}, {64, 512}, {0, 1}});

}  // namespace
