#pragma once

// The strip's high-pass (12/24 dB per octave, 20 Hz..2 kHz) and low-pass
// (6/18 dB per octave, 300 Hz..30 kHz) for two channels. Setters take the
// normalised parameter values; process runs in fixed 64-frame chunks through
// the section's own work buffers, so it never allocates.
//
// Threads: any number of threads may call the setters at once while the
// audio thread runs process. A setter only stores its value and asks for a
// new design; the audio thread makes it at the start of its next block from
// one whole set of values, and clears the filter memories there when asked.
// So a block never runs half-made coefficients, and nothing is locked.

#include "base/RelaxedValue.h"
#include "core/FilterStage.h"

#include <array>
#include <atomic>

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

    enum Stage : int { kHighPass1, kHighPass2, kLowPass1, kLowPass2, kNumStages };
    enum Channel : int { kLeft, kRight, kNumChannels };
    using Stages = std::array<std::array<FilterStage, kNumChannels>, kNumStages>;

    // While one lives, the audio thread keeps the design it has: settings
    // made inside it (a whole chunk) reach the next block together.
    class Batch {
    public:
        explicit Batch(StripFilterSection* section);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        StripFilterSection* section_;
    };

    StripFilterSection();
    StripFilterSection(const StripFilterSection&) = delete;
    StripFilterSection& operator=(const StripFilterSection&) = delete;

    // Limited to 44100..192000 Hz; a rate that is not finite counts as 44100.
    void setSampleRate(float rateHz);
    // The next block redesigns every stage for the current rate and settings.
    void updateCoefficients();
    // The next block starts every stage from zero memory.
    void clearState();
    // Out, the section leaves the audio untouched ("ProcFlt"); in at construction.
    void setRunning(bool running);

    void setHighPassStatus(float value);
    void setHighPassSlope(float value);
    void setHighPassFrequency(float value);
    void setLowPassStatus(float value);
    void setLowPassSlope(float value);
    void setLowPassFrequency(float value);

    // Audio thread only. In place is fine: each chunk is copied in before it
    // is written out.
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
    bool running() const { return running_; }

    // The frequency mapping, also used where no section exists.
    static float highPassHzFromValue(float value);
    static float lowPassHzFromValue(float value);
    static double secondLowPassQ(float lowPassHz);

    // The stage as the next block will run it, designed from the current
    // settings (its memory is not part of it).
    FilterStage stage(Stage which, Channel channel) const;

private:
    // What a design is made from: the normalised values and the rate.
    struct Settings {
        float rateHz;
        float highPassStatus;
        float highPassSlope;
        float highPassFrequency;
        float lowPassStatus;
        float lowPassSlope;
        float lowPassFrequency;
        bool running;
    };

    Settings currentSettings() const;
    // False while a batch is open or when one began during the read.
    bool readWholeSettings(Settings& settings) const;
    static void design(const Settings& settings, Stages& stages);
    void requestDesign() { designDue_.store(true, std::memory_order_release); }
    void carryOutRequests();

    // Set from the parameter threads, each value whole. Stores release and
    // loads acquire (the atomics' default order): a reader that sees a value
    // stored inside a batch also sees the batch's serial.
    std::atomic<float> filterRateHz_{44100.0f};
    std::atomic<float> highPassStatusValue_{Defaults::highPassStatus};
    std::atomic<float> highPassSlopeValue_{Defaults::highPassSlope};
    std::atomic<float> highPassFrequencyValue_{Defaults::highPassFrequency};
    std::atomic<float> lowPassStatusValue_{Defaults::lowPassStatus};
    std::atomic<float> lowPassSlopeValue_{Defaults::lowPassSlope};
    std::atomic<float> lowPassFrequencyValue_{Defaults::lowPassFrequency};
    std::atomic<bool> running_{true};
    // Shown by the editor and the parameter displays.
    RelaxedValue<float> highPassHz_{20.0f};
    RelaxedValue<float> lowPassHz_{30000.0f};

    // Requests the audio thread carries out at its next block.
    std::atomic<bool> designDue_{false};
    std::atomic<bool> clearDue_{false};
    // Open batches, and how many were ever opened.
    std::atomic<unsigned> batchDepth_{0};
    std::atomic<unsigned> batchSerial_{0};

    // The audio thread's own: the design it runs, with the filter memories.
    bool runningNow_ = true;
    Stages stages_;
    std::array<std::array<float, kWorkBufferFrames>, kNumChannels> work_{};
};
