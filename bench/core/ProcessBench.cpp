// processReplacing of one stereo instance in 512-frame blocks at 48 kHz:
// pass-through, the signal path with a settled and a gliding gain, and the
// strip filters in the path (default and steepest slopes).

#include "base/ParameterIds.h"
#include "core/Templete.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kFrames = 512;

VstIntPtr benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

void runBlocks(benchmark::State& state, float processOn, float filtersOn, float steepFilters, bool moveTrim)
{
    Templete effect(benchHost);
    effect.setParameter(param::kProcess, processOn);
    effect.setParameter(param::kProcessFilters, filtersOn);
    effect.setParameter(param::kHighPassSlope, steepFilters);
    effect.setParameter(param::kLowPassSlope, steepFilters);
    effect.setSampleRate(48000.0f);
    effect.resume();

    std::vector<float> inLeft(kFrames);
    std::vector<float> inRight(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        inLeft[i] = 0.5f * std::sin(0.05f * static_cast<float>(i));
        inRight[i] = 0.25f * std::cos(0.11f * static_cast<float>(i));
    }
    std::vector<float> outLeft(kFrames);
    std::vector<float> outRight(kFrames);
    float* inputs[] = {inLeft.data(), inRight.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    float trim = 0.5f;
    for (auto _ : state) {
        // A trim change every block keeps the glide running (the worst case);
        // otherwise the gain settles and becomes a plain multiply.
        if (moveTrim) {
            trim = trim > 0.6f ? 0.4f : trim + 0.001f;
            effect.setParameter(param::kTrim, trim);
        }
        effect.processReplacing(inputs, outputs, kFrames);
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::DoNotOptimize(outRight.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ProcessOff(benchmark::State& state)
{
    runBlocks(state, 0.0f, 0.0f, 0.0f, false);
}

void BM_ProcessOnSettledGain(benchmark::State& state)
{
    runBlocks(state, 1.0f, 0.0f, 0.0f, false);
}

void BM_ProcessOnFiltersOut(benchmark::State& state)
{
    runBlocks(state, 1.0f, 0.0f, 0.0f, true);
}

void BM_ProcessOnFiltersIn(benchmark::State& state)
{
    runBlocks(state, 1.0f, 1.0f, 0.0f, true);
}

void BM_ProcessOnFiltersInSteepest(benchmark::State& state)
{
    runBlocks(state, 1.0f, 1.0f, 1.0f, true);
}

BENCHMARK(BM_ProcessOff);
BENCHMARK(BM_ProcessOnSettledGain);
BENCHMARK(BM_ProcessOnFiltersOut);
BENCHMARK(BM_ProcessOnFiltersIn);
BENCHMARK(BM_ProcessOnFiltersInSteepest);

}  // namespace
