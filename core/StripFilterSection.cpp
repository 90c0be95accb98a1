#include "core/StripFilterSection.h"

#include "core/BlockChunker.h"
#include "core/ParameterMapping.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float kDefaultRateHz = 44100.0f;
constexpr float kMaxRateHz = 192000.0f;
constexpr float kHighPassBaseHz = 20.0f;
constexpr float kHighPassMaxHz = 2000.0f;
constexpr float kLowPassBaseHz = 300.0f;
constexpr float kLowPassMaxHz = 30000.0f;
constexpr float kFrequencySpan = 100.0f;  // two decades across the value range
constexpr double kStageQ = 0.5;
// The second stages sit apart from the first so the combined knee stays soft.
constexpr double kSecondHighPassRatio = 0.7;
constexpr double kSecondLowPassRatio = 1.4;
// Q of the second low-pass: slightly higher at low corners, 0.518 at 30 kHz.
constexpr double kLowPassQReferenceHz = 600000.0;
constexpr double kLowPassQSlope = 0.091;
constexpr double kLowPassQOffset = 0.4;
constexpr double kMinQ = 0.0001;
constexpr double kMaxQ = 1000.0;

float limited(float value, float low, float high)
{
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

StripFilterSection::StripFilterSection()
{
    design(currentSettings(), stages_);
}

StripFilterSection::Batch::Batch(StripFilterSection* section) : section_(section)
{
    if (!section_)
        return;
    section_->batchDepth_.fetch_add(1, std::memory_order_seq_cst);
    section_->batchSerial_.fetch_add(1, std::memory_order_seq_cst);
}

StripFilterSection::Batch::~Batch()
{
    if (!section_)
        return;
    section_->batchDepth_.fetch_sub(1, std::memory_order_release);
    section_->requestDesign();
}

float StripFilterSection::highPassHzFromValue(float value)
{
    const float hz = kHighPassBaseHz * std::pow(kFrequencySpan, param::clampUnit(value));
    return limited(hz, kHighPassBaseHz, kHighPassMaxHz);
}

float StripFilterSection::lowPassHzFromValue(float value)
{
    const float hz = kLowPassBaseHz * std::pow(kFrequencySpan, param::clampUnit(value));
    return limited(hz, kLowPassBaseHz, kLowPassMaxHz);
}

double StripFilterSection::secondLowPassQ(float lowPassHz)
{
    const double q = std::log10(kLowPassQReferenceHz / lowPassHz) * kLowPassQSlope + kLowPassQOffset;
    return q < kMinQ ? kMinQ : (q > kMaxQ ? kMaxQ : q);
}

void StripFilterSection::setSampleRate(float rateHz)
{
    const bool finite = std::isfinite(rateHz);
    filterRateHz_ = finite ? limited(rateHz, kDefaultRateHz, kMaxRateHz) : kDefaultRateHz;
    requestDesign();
}

void StripFilterSection::updateCoefficients()
{
    requestDesign();
}

void StripFilterSection::clearState()
{
    clearDue_.store(true, std::memory_order_release);
}

void StripFilterSection::setRunning(bool running)
{
    running_ = running;
    requestDesign();
}

void StripFilterSection::setHighPassStatus(float value)
{
    highPassStatusValue_ = param::clampUnit(value);
    requestDesign();
}

void StripFilterSection::setHighPassSlope(float value)
{
    highPassSlopeValue_ = param::clampUnit(value);
    requestDesign();
}

void StripFilterSection::setHighPassFrequency(float value)
{
    const float clamped = param::clampUnit(value);
    highPassFrequencyValue_ = clamped;
    highPassHz_ = highPassHzFromValue(clamped);
    requestDesign();
}

void StripFilterSection::setLowPassStatus(float value)
{
    lowPassStatusValue_ = param::clampUnit(value);
    requestDesign();
}

void StripFilterSection::setLowPassSlope(float value)
{
    lowPassSlopeValue_ = param::clampUnit(value);
    requestDesign();
}

void StripFilterSection::setLowPassFrequency(float value)
{
    const float clamped = param::clampUnit(value);
    lowPassFrequencyValue_ = clamped;
    lowPassHz_ = lowPassHzFromValue(clamped);
    requestDesign();
}

StripFilterSection::Settings StripFilterSection::currentSettings() const
{
    return {filterRateHz_,         highPassStatusValue_, highPassSlopeValue_, highPassFrequencyValue_,
            lowPassStatusValue_,   lowPassSlopeValue_,   lowPassFrequencyValue_, running_};
}

bool StripFilterSection::readWholeSettings(Settings& settings) const
{
    const unsigned serial = batchSerial_.load(std::memory_order_acquire);
    if (batchDepth_.load(std::memory_order_acquire) != 0)
        return false;
    settings = currentSettings();
    return batchSerial_.load(std::memory_order_relaxed) == serial;
}

namespace {

void configurePair(std::array<FilterStage, StripFilterSection::kNumChannels>& pair, double rateHz, int type,
                   double frequencyHz, double q, int enabled)
{
    pair[StripFilterSection::kLeft].configure(rateHz, type, frequencyHz, q, enabled);
    pair[StripFilterSection::kRight].takeDesign(pair[StripFilterSection::kLeft]);
}

}  // namespace

// Stage 2 of each filter is in only when both its status and its slope are.
void StripFilterSection::design(const Settings& settings, Stages& stages)
{
    const int highPassStatus = param::twoState(settings.highPassStatus);
    const int highPassSlope = param::twoState(settings.highPassSlope);
    const int lowPassStatus = param::twoState(settings.lowPassStatus);
    const int lowPassSlope = param::twoState(settings.lowPassSlope);
    const float highPassHz = highPassHzFromValue(settings.highPassFrequency);
    const float lowPassHz = lowPassHzFromValue(settings.lowPassFrequency);
    const double rateHz = settings.rateHz;
    configurePair(stages[kHighPass1], rateHz, filter::kHighPass, highPassHz, kStageQ, highPassStatus);
    configurePair(stages[kHighPass2], rateHz, filter::kHighPass, kSecondHighPassRatio * highPassHz, kStageQ,
                  highPassSlope * highPassStatus);
    configurePair(stages[kLowPass1], rateHz, filter::kOnePoleLowPass, lowPassHz, kStageQ, lowPassStatus);
    configurePair(stages[kLowPass2], rateHz, filter::kLowPass, kSecondLowPassRatio * lowPassHz,
                  secondLowPassQ(lowPassHz), lowPassSlope * lowPassStatus);
}

FilterStage StripFilterSection::stage(Stage which, Channel channel) const
{
    Stages designed;
    design(currentSettings(), designed);
    return designed[which][channel];
}

// A design that cannot be read whole yet (a chunk is being applied) stays
// due: this block keeps the previous one.
void StripFilterSection::carryOutRequests()
{
    if (clearDue_.load(std::memory_order_relaxed) && clearDue_.exchange(false, std::memory_order_acquire)) {
        for (auto& channels : stages_)
            for (FilterStage& stage : channels)
                stage.clearMemory();
        for (auto& buffer : work_)
            buffer.fill(0.0f);
    }
    if (!designDue_.load(std::memory_order_relaxed) || !designDue_.exchange(false, std::memory_order_acquire))
        return;
    Settings settings{};
    if (!readWholeSettings(settings)) {
        designDue_.store(true, std::memory_order_relaxed);
        return;
    }
    design(settings, stages_);
    runningNow_ = settings.running;
}

void StripFilterSection::process(float* const* inputs, float* const* outputs, int frames)
{
    carryOutRequests();
    if (!inputs || !outputs || !inputs[kLeft] || !inputs[kRight] || !outputs[kLeft] || !outputs[kRight])
        return;
    if (!runningNow_) {
        const size_t bytes = static_cast<size_t>(frames > 0 ? frames : 0) * sizeof(float);
        for (Channel c : {kLeft, kRight})
            if (outputs[c] != inputs[c])
                std::memmove(outputs[c], inputs[c], bytes);
        return;
    }
    float* const left = work_[kLeft].data();
    float* const right = work_[kRight].data();
    forEachChunk(frames, kChunkFrames, [&](int offset, int count) {
        const size_t bytes = static_cast<size_t>(count) * sizeof(float);
        std::memcpy(left, inputs[kLeft] + offset, bytes);
        std::memcpy(right, inputs[kRight] + offset, bytes);
        for (auto& channels : stages_)
            FilterStage::processPair(channels[kLeft], left, channels[kRight], right, count);
        std::memcpy(outputs[kLeft] + offset, left, bytes);
        std::memcpy(outputs[kRight] + offset, right, bytes);
    });
}
