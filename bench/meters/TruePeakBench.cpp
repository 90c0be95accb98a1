// Inter-sample peak detection per stereo frame, with an independent
// true-peak measurement on the same signal as the anchor.
//
// Names: <what>/<sample rate>; counter per_frame (time per stereo frame). Engine benchmarks join
// as ProcessReplacing<Meter>/<sample rate>.

#include "meters/TruePeakInterpolator.h"

#include <benchmark/benchmark.h>
#include <ebur128.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

namespace {

constexpr std::size_t kBlockFrames = 4096;

// Interleaved stereo floats: a loud sine plus noise, as a mastered mix might be.
std::vector<float> testSignal(double sampleRate)
{
    std::vector<float> frames(2 * kBlockFrames);
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0.0f, 0.1f);
    for (std::size_t n = 0; n < kBlockFrames; ++n) {
        const double tone = 0.7 * std::sin(2.0 * 3.14159265358979323846 * 997.0 * n / sampleRate);
        frames[2 * n] = static_cast<float>(tone) + noise(random);
        frames[2 * n + 1] = static_cast<float>(-0.5 * tone) + noise(random);
    }
    return frames;
}

void reportPerFrame(benchmark::State& state)
{
    const auto frames = static_cast<double>(state.iterations()) * kBlockFrames;
    // Inverted rate: CPU seconds per frame, printed with its unit (ns).
    state.counters["per_frame"] = benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void TruePeakInterpolatorBench(benchmark::State& state)
{
    const double sampleRate = static_cast<double>(state.range(0));
    const std::vector<float> signal = testSignal(sampleRate);
    // The engines hand over whole blocks of guarded doubles.
    std::vector<double> left(kBlockFrames);
    std::vector<double> right(kBlockFrames);
    for (std::size_t n = 0; n < kBlockFrames; ++n) {
        left[n] = signal[2 * n];
        right[n] = signal[2 * n + 1];
    }
    std::vector<double> outLeft(kBlockFrames);
    std::vector<double> outRight(kBlockFrames);
    TruePeakInterpolator interpolator;
    interpolator.setSampleRate(sampleRate);
    interpolator.clear();
    for (auto _ : state) {
        interpolator.process(left.data(), right.data(), outLeft.data(), outRight.data(), static_cast<int>(kBlockFrames));
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::DoNotOptimize(outRight.data());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state);
}
BENCHMARK(TruePeakInterpolatorBench)->Name("TruePeakInterpolator")->Arg(44100)->Arg(96000)->Arg(192000);

void Ebur128TruePeakBench(benchmark::State& state)
{
    const auto sampleRate = static_cast<unsigned long>(state.range(0));
    const std::vector<float> signal = testSignal(static_cast<double>(sampleRate));
    ebur128_state* meter = ebur128_init(2, sampleRate, EBUR128_MODE_TRUE_PEAK);
    if (!meter) {
        state.SkipWithError("ebur128_init failed");
        return;
    }
    for (auto _ : state) {
        ebur128_add_frames_float(meter, signal.data(), kBlockFrames);
        double peak = 0.0;
        ebur128_prev_true_peak(meter, 0, &peak);
        benchmark::DoNotOptimize(peak);
    }
    ebur128_destroy(&meter);
    reportPerFrame(state);
}
BENCHMARK(Ebur128TruePeakBench)->Name("Ebur128TruePeak")->Arg(44100)->Arg(96000);

}  // namespace
