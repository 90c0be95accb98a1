#pragma once

// The strip's high-pass (12/24 dB per octave, 20 Hz..2 kHz) and low-pass
// (6/18 dB per octave, 300 Hz..30 kHz) for two channels. Setters take the
// normalised parameter values; process runs in fixed 64-frame chunks through
// the section's own work buffers, so it never allocates.

#include "core/FilterStage.h"
#include "base/RelaxedValue.h"

#include <array>

class StripFilterSection {
public:
    static constexpr int kChunkFrames = 64;
    static constexpr int kWorkBufferFrames = 128;

    // Applied at construction: high-pass in at 20 Hz, 12 dB/oct; low-pass in
    // at 30 kHz, 6 dB/oct.
    struct Defaults {
        static constexpr float highPassStatus = 1.0f;
        static constexpr float highPassSlope = 0.0f;
        static constexpr float highPassFrequency = 0.0f;
        static constexpr float lowPassStatus = 1.0f;
        static constexpr float lowPassSlope = 0.0f;
        static constexpr float lowPassFrequency = 1.0f;
    };

    StripFilterSection();

    // Limited to 44100..192000 Hz; a rate that is not finite counts as 44100.
    void setSampleRate(float rateHz);
    // Rebuilds every stage for the current rate and re-applies the settings.
    void updateCoefficients();
    void clearState();

    void setHighPassStatus(float value);
    void setHighPassSlope(float value);
    void setHighPassFrequency(float value);
    void setLowPassStatus(float value);
    void setLowPassSlope(float value);
    void setLowPassFrequency(float value);

    // In place is fine: each chunk is copied in before it is written out.
    void process(float* const* inputs, float* const* outputs, int frames);

    float highPassStatusValue() const { return highPassStatusValue_; }
    float highPassSlopeValue() const { return highPassSlopeValue_; }
    float highPassFrequencyValue() const { return highPassFrequencyValue_; }
    float lowPassStatusValue() const { return lowPassStatusValue_; }
    float lowPassSlopeValue() const { return lowPassSlopeValue_; }
    float lowPassFrequencyValue() const { return lowPassFrequencyValue_; }
    float highPassHz() const { return highPassHz_; }
    float lowPassHz() const { return lowPassHz_; }
    float filterRate() const { return filterRateHz_; }

    // The frequency mapping, also used where no section exists.
    static float highPassHzFromValue(float value);
    static float lowPassHzFromValue(float value);
    static double secondLowPassQ(float lowPassHz);

    enum Stage : int { kHighPass1, kHighPass2, kLowPass1, kLowPass2, kNumStages };
    enum Channel : int { kLeft, kRight, kNumChannels };
    const FilterStage& stage(Stage which, Channel channel) const { return stages_[which][channel]; }

private:
    void enableStages(Stage which, int enabled);
    void rateAllStages();

    float filterRateHz_ = 44100.0f;
    float highPassStatusValue_ = 0.0f;
    float highPassSlopeValue_ = 0.0f;
    float highPassFrequencyValue_ = 0.0f;
    float lowPassStatusValue_ = 0.0f;
    float lowPassSlopeValue_ = 0.0f;
    float lowPassFrequencyValue_ = 0.0f;
    int highPassStatus_ = 0;
    int highPassSlope_ = 0;
    int lowPassStatus_ = 0;
    int lowPassSlope_ = 0;
    // Set from the parameter thread, shown by the editor.
    RelaxedValue<float> highPassHz_{20.0f};
    RelaxedValue<float> lowPassHz_{30000.0f};
    std::array<std::array<FilterStage, kNumChannels>, kNumStages> stages_;
    std::array<std::array<float, kWorkBufferFrames>, kNumChannels> work_{};
};
