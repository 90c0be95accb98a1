#pragma once

// The measuring core of the "VU3" meter: per channel a simulated moving-coil
// needle whose damping follows its own deflection, a held needle value and
// over detection. Settings 83..91; readings are relative to the reference
// (0 VU), the needle resting at -0.05.

#include "meters/BlockDispatch.h"
#include "meters/MeterEngine.h"
#include "meters/NeedleHold.h"
#include "meters/NeedleModel.h"

#include <array>
#include <atomic>

class VUmeter : public MeterEngine {
public:
    static constexpr double kRestReading = -0.05;

    // The effect is not owned; settings sources deliver through its setParameter.
    explicit VUmeter(AudioEffect* effect);

    void setSetting(int id, float value) override;

    void prepare() override;
    void resetReadings() override;
    void processBlock(const float* left, const float* right, int count) override;

    // MeterReading::Level is the needle; MeanSquare reads 0.
    double readValue(double fraction, MeterReading reading, int channel) override;
    double readOverState(int channel) override;

    double integrationMs() const { return integrationMs_; }
    double holdMs() const { return holdMs_; }
    int needleType() const { return needleType_; }
    double needleFrequencyHz() const;
    int overSampleCount() const { return overSamples_; }
    // Scale backlight step 0..4 of the VU views (setting 88).
    int backlightStep() const { return static_cast<int>(stored_.get(param::kVuBacklight) * 4.0f + 0.5f); }

private:
    double displayValue(int id) const override;

    enum Ring { NeedleL, NeedleR, HoldL, HoldR, OverTimerL, OverTimerR, kRingCount };

    struct Channel {
        NeedleModel model;
        double needle = kRestReading;
        NeedleHold hold;
        // What the editor reads: the block-start snapshots and the block-end
        // readings, published by the audio thread.
        std::atomic<double> needleSnapshot{kRestReading};
        std::atomic<double> holdSnapshot{kRestReading};
        std::atomic<double> shownNeedle{kRestReading};
        std::atomic<double> shownHold{kRestReading};

        void takeSnapshot();
        void publish();
    };

    // processBlock's work, built once per instruction set.
    friend struct BlockDispatch<VUmeter>;
    void runBlock(const float* left, const float* right, int count);

    void designNeedles();
    void updateHoldLength();
    void updateOverThreshold();

    // Settings and what follows from them: set from the parameter thread (and
    // the editor's thread, which follows the shared sets), read by the audio
    // thread once per block and by the editor.
    RelaxedValue<double> integrationMs_{350.1};
    RelaxedValue<double> holdMs_{1000.0};
    RelaxedValue<double> holdSamples_{0.0};
    RelaxedValue<double> holdRelease_{1.0};
    RelaxedValue<int> needleType_{0};
    RelaxedValue<int> overSamples_{3};
    RelaxedValue<double> overThreshold_{1.0};
    // The needles are redesigned by the audio thread, which steps them.
    std::atomic<bool> needleDesignDue_{false};
    double sectionRate_ = 44100.0;
    std::array<Channel, MeterFrame::kChannels> channels_;
    std::array<HistoryRing, kRingCount> history_;
};

// Both builds of the block loop live in VUmeter.cpp.
extern template struct BlockDispatch<VUmeter>;
