// The delivery check of valdora-meter on one core: one pass over a stereo
// 48 kHz file with all three meters as the plug-in runs them (precise off as
// valdora-meter's default, and on), loudness (integrated, range, momentary,
// short-term) and true peak, from decoding to the last reading. Target: 200x
// real time or faster.
//
// Names: DeliveryCheck/48000/stereo/all-meters/precise:<0|1>.
//
// Counter x_realtime: seconds of audio checked per second of CPU.
// The file it writes is also left for `sox FILE -n stats`, to compare:
// the path is printed once as the label.

#include "tools/valdora-meter/FileMeter.h"
#include "tools/valdora-meter/MeterOptions.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRateHz = 48000;
constexpr int kSeconds = 60;

// A loud sine plus noise, as a mastered mix might be, as 24-bit WAV.
std::string writeTestFile()
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = (std::filesystem::path(tmp ? tmp : "/tmp") / "valdora-delivery-bench.wav").string();
    SF_INFO info{};
    info.samplerate = kRateHz;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return {};
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0.0f, 0.1f);
    std::vector<float> frames(2 * kRateHz);
    for (int second = 0; second < kSeconds; ++second) {
        for (int n = 0; n < kRateHz; ++n) {
            const double t = static_cast<double>(second * kRateHz + n) / kRateHz;
            const double tone = 0.6 * std::sin(2.0 * 3.14159265358979323846 * 997.0 * t);
            frames[static_cast<size_t>(2 * n)] = static_cast<float>(tone) + noise(random);
            frames[static_cast<size_t>(2 * n + 1)] = static_cast<float>(-0.5 * tone) + noise(random);
        }
        sf_writef_float(file, frames.data(), kRateHz);
    }
    sf_close(file);
    return path;
}

void DeliveryCheckBench(benchmark::State& state)
{
    static const std::string path = writeTestFile();
    if (path.empty()) {
        state.SkipWithError("cannot write the test file");
        return;
    }
    valdorameter::MeterOptions options;
    options.precise = state.range(0) != 0;
    std::mutex setupLock;
    for (auto _ : state) {
        valdorameter::MeterProgress progress;
        const auto result = valdorameter::measureFile(path, options, setupLock, progress);
        if (!result.readable) {
            state.SkipWithError(result.error.c_str());
            return;
        }
        benchmark::DoNotOptimize(result.truePeak);
    }
    state.counters["x_realtime"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kSeconds, benchmark::Counter::kIsRate);
    state.SetLabel(path);
}
BENCHMARK(DeliveryCheckBench)
    ->Name("DeliveryCheck/48000/stereo/all-meters")
    ->ArgName("precise")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
