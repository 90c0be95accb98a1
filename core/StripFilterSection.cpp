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
    for (auto& channels : stages_)
        for (FilterStage& stage : channels)
            stage.setSampleRate(kDefaultRateHz);
    for (Channel c : {kLeft, kRight}) {
        stages_[kHighPass1][c].setType(filter::kHighPass);
        stages_[kHighPass2][c].setType(filter::kHighPass);
        stages_[kLowPass1][c].setType(filter::kLowPass);
        stages_[kLowPass2][c].setType(filter::kLowPass);
    }
    setHighPassStatus(Defaults::highPassStatus);
    setHighPassFrequency(Defaults::highPassFrequency);
    setHighPassSlope(Defaults::highPassSlope);
    setLowPassStatus(Defaults::lowPassStatus);
    setLowPassFrequency(Defaults::lowPassFrequency);
    setLowPassSlope(Defaults::lowPassSlope);
    clearState();
    updateCoefficients();
    clearState();
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
    rateAllStages();
}

void StripFilterSection::rateAllStages()
{
    for (auto& channels : stages_) {
        for (FilterStage& stage : channels) {
            stage.setSampleRate(filterRateHz_);
            stage.recompute();
        }
    }
}

void StripFilterSection::updateCoefficients()
{
    rateAllStages();
    setHighPassStatus(highPassStatusValue_);
    setHighPassFrequency(highPassFrequencyValue_);
    setLowPassStatus(lowPassStatusValue_);
    setLowPassFrequency(lowPassFrequencyValue_);
}

void StripFilterSection::clearState()
{
    for (auto& channels : stages_)
        for (FilterStage& stage : channels)
            stage.clearMemory();
    for (auto& buffer : work_)
        buffer.fill(0.0f);
}

void StripFilterSection::enableStages(Stage which, int enabled)
{
    for (FilterStage& stage : stages_[which])
        stage.setEnabled(enabled);
}

void StripFilterSection::setHighPassStatus(float value)
{
    highPassStatusValue_ = param::clampUnit(value);
    highPassStatus_ = param::twoState(highPassStatusValue_);
    enableStages(kHighPass1, highPassStatus_);
    enableStages(kHighPass2, highPassSlope_ * highPassStatus_);
}

void StripFilterSection::setHighPassSlope(float value)
{
    highPassSlopeValue_ = param::clampUnit(value);
    highPassSlope_ = param::twoState(highPassSlopeValue_);
    enableStages(kHighPass2, highPassSlope_ * highPassStatus_);
}

void StripFilterSection::setHighPassFrequency(float value)
{
    highPassFrequencyValue_ = param::clampUnit(value);
    const float highPassHz = highPassHzFromValue(highPassFrequencyValue_);
    highPassHz_ = highPassHz;
    for (Channel c : {kLeft, kRight}) {
        FilterStage& first = stages_[kHighPass1][c];
        FilterStage& second = stages_[kHighPass2][c];
        first.setFrequency(highPassHz);
        first.setQ(kStageQ);
        first.recompute();
        second.setFrequency(kSecondHighPassRatio * highPassHz);
        second.setQ(kStageQ);
        second.recompute();
    }
}

void StripFilterSection::setLowPassStatus(float value)
{
    lowPassStatusValue_ = param::clampUnit(value);
    lowPassStatus_ = param::twoState(lowPassStatusValue_);
    enableStages(kLowPass1, lowPassStatus_);
    enableStages(kLowPass2, lowPassSlope_ * lowPassStatus_);
}

void StripFilterSection::setLowPassSlope(float value)
{
    lowPassSlopeValue_ = param::clampUnit(value);
    lowPassSlope_ = param::twoState(lowPassSlopeValue_);
    enableStages(kLowPass2, lowPassSlope_ * lowPassStatus_);
}

void StripFilterSection::setLowPassFrequency(float value)
{
    lowPassFrequencyValue_ = param::clampUnit(value);
    const float lowPassHz = lowPassHzFromValue(lowPassFrequencyValue_);
    lowPassHz_ = lowPassHz;
    const double secondQ = secondLowPassQ(lowPassHz);
    for (Channel c : {kLeft, kRight}) {
        FilterStage& first = stages_[kLowPass1][c];
        FilterStage& second = stages_[kLowPass2][c];
        first.setType(filter::kOnePoleLowPass);
        first.setFrequency(lowPassHz);
        first.setQ(kStageQ);
        first.recompute();
        second.setType(filter::kLowPass);
        second.setFrequency(kSecondLowPassRatio * lowPassHz);
        second.setQ(secondQ);
        second.recompute();
    }
}

void StripFilterSection::process(float* const* inputs, float* const* outputs, int frames)
{
    if (!inputs || !outputs || !inputs[kLeft] || !inputs[kRight] || !outputs[kLeft] || !outputs[kRight])
        return;
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
