#include "tools/valdora-meter/FileMeter.h"

#include "meters/SampleGuard.h"
#include "meters/TruePeakInterpolator.h"
#include "tools/valdora-meter/EffectMeter.h"
#include "tools/valdora-meter/LoudnessMeter.h"
#include "tools/vsthost/SoundFileReader.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <cmath>
#include <exception>
#include <memory>
#include <vector>

namespace valdorameter {

namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr size_t kLogCapacity = 8192;

// Sample peak and true peak (the precise path of the meters) of the file as it is.
class PeakMeter {
public:
    PeakMeter(double rateHz, int maxFrames) : left_(static_cast<size_t>(maxFrames)), right_(left_), outLeft_(left_), outRight_(left_)
    {
        interpolator_.setSampleRate(rateHz);
        interpolator_.clear();
    }

    void add(const float* left, const float* right, int frames)
    {
        for (int i = 0; i < frames; ++i) {
            left_[static_cast<size_t>(i)] = sampleguard::finiteOrZero(left[i]);
            right_[static_cast<size_t>(i)] = sampleguard::finiteOrZero(right[i]);
            samplePeak_ = std::max({samplePeak_, std::fabs(left_[static_cast<size_t>(i)]),
                                    std::fabs(right_[static_cast<size_t>(i)])});
        }
        interpolate(frames);
    }

    // The interpolator answers for the sample 63 frames back: flush the tail.
    void finish()
    {
        const int frames = std::min(TruePeakInterpolator::kTaps, static_cast<int>(left_.size()));
        std::fill_n(left_.begin(), frames, 0.0);
        std::fill_n(right_.begin(), frames, 0.0);
        interpolate(frames);
    }

    double samplePeak() const { return samplePeak_; }
    double truePeak() const { return std::max(truePeak_, samplePeak_); }

private:
    void interpolate(int frames)
    {
        interpolator_.process(left_.data(), right_.data(), outLeft_.data(), outRight_.data(), frames);
        for (int i = 0; i < frames; ++i)
            truePeak_ = std::max({truePeak_, std::fabs(outLeft_[static_cast<size_t>(i)]),
                                  std::fabs(outRight_[static_cast<size_t>(i)])});
    }

    TruePeakInterpolator interpolator_;
    std::vector<double> left_;
    std::vector<double> right_;
    std::vector<double> outLeft_;
    std::vector<double> outRight_;
    double samplePeak_ = 0.0;
    double truePeak_ = 0.0;
};

// libsndfile reads a WAV or AIFF cut short as a shorter file and only notes
// in its log that the data chunk "should be" smaller than its header says.
bool cutShort(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return false;
    std::array<char, kLogCapacity> log{};
    sf_command(file, SFC_GET_LOG_INFO, log.data(), static_cast<int>(log.size()));
    sf_close(file);
    std::istringstream lines(std::string(log.data()));
    for (std::string line; std::getline(lines, line);) {
        const bool audioChunk = line.rfind("data", 0) == 0 || line.rfind("SSND", 0) == 0;
        if (audioChunk && line.find("should be") != std::string::npos)
            return true;
    }
    return false;
}

void meterReadable(FileMeasurement& result, vsthost::SoundFileReader& file, const MeterOptions& options,
                   std::mutex& setupLock, MeterProgress& progress)
{
    const int blockFrames = options.blockFrames;
    const double rateHz = file.sampleRate();
    // Built first: it is the one that can refuse a format.
    LoudnessMeter loudness(file.channels(), rateHz);
    PeakMeter peaks(rateHz, blockFrames);
    result.plotStepSec = options.intervalMs / kMsPerSecond;
    std::vector<std::unique_ptr<EffectMeter>> meters(kMeterCount);
    {
        const std::lock_guard<std::mutex> lock(setupLock);
        for (int meter : options.chosenMeters())
            meters[static_cast<size_t>(meter)] = std::make_unique<EffectMeter>(options, meter, rateHz, blockFrames);
    }

    std::vector<float> left(static_cast<size_t>(blockFrames));
    std::vector<float> right(static_cast<size_t>(blockFrames));
    float* const buffers[] = {left.data(), right.data()};
    const bool mono = file.channels() == 1;
    const auto stepFrames = std::max(1LL, std::llround(result.plotStepSec * rateHz));
    long long processed = 0;
    long long nextStep = stepFrames;
    for (;;) {
        const int count = file.read(buffers, blockFrames);
        if (count <= 0)
            break;
        // A mono file reaches the effect on both channels, as a host's stereo track hands it over.
        if (mono)
            std::copy_n(left.data(), count, right.data());
        loudness.add(buffers, count);
        peaks.add(left.data(), right.data(), count);
        processed += count;
        const double endSec = static_cast<double>(processed) / rateHz;
        for (auto& meter : meters)
            if (meter)
                meter->process(left.data(), right.data(), count, endSec);
        for (; processed >= nextStep; nextStep += stepFrames)
            for (auto& meter : meters)
                if (meter)
                    meter->endStep();
        progress.framesDone += count;
    }
    peaks.finish();
    result.samplePeak = peaks.samplePeak();
    result.truePeak = peaks.truePeak();
    result.loudness = loudness.finish();
    for (int meter = 0; meter < kMeterCount; ++meter)
        if (meters[static_cast<size_t>(meter)])
            result.meters[static_cast<size_t>(meter)] = meters[static_cast<size_t>(meter)]->finish();
    {
        const std::lock_guard<std::mutex> lock(setupLock);
        meters.clear();
    }
    result.frames = processed;
    if (processed == 0) {
        result.error = "no audio in '" + result.path + "' (empty file)";
        return;
    }
    if (processed < file.frames() || cutShort(result.path)) {
        result.error = "'" + result.path + "' is truncated: its header promises more audio than the " +
                       std::to_string(processed) + " frames it holds";
        return;
    }
    result.readable = true;
}

}  // namespace

FileMeasurement measureFile(const std::string& path, const MeterOptions& options, std::mutex& setupLock,
                            MeterProgress& progress)
{
    FileMeasurement result;
    result.path = path;
    try {
        vsthost::SoundFileReader file(path);
        result.rateHz = file.sampleRate();
        result.channels = file.channels();
        meterReadable(result, file, options, setupLock, progress);
        // What a truncated file lacks still counts as done for the bar.
        progress.framesDone += std::max(0LL, file.frames() - result.frames);
    } catch (const std::exception& error) {
        result.readable = false;
        result.error = error.what();
    }
    return result;
}

}  // namespace valdorameter
