#pragma once

// The measuring core of the "RMS3" meter: per channel a quasi-peak level, a
// held peak, a running mean square and over detection, polled by the views.
// Settings 72..81 arrive as effect parameters; readings are linear and
// relative to the meter's reference level.

#include "meters/MeanSquare.h"
#include "meters/BlockDispatch.h"
#include "meters/MeterEngine.h"
#include "meters/PeakBallistics.h"

#include <array>
#include <atomic>

class RMSMeter : public MeterEngine {
public:
    static constexpr double kRestReading = static_cast<float>(1e-6);

    // The effect is not owned; settings sources deliver through its setParameter.
    explicit RMSMeter(AudioEffect* effect);

    void setSetting(int id, float value) override;

    void prepare() override;
    void resetReadings() override;
    void processBlock(const float* left, const float* right, int count) override;

    double readValue(double fraction, MeterReading reading, int channel) override;
    double readOverState(int channel) override;

    double integrationMs() const { return integrationMs_; }
    double rmsIntegrationMs() const { return rmsIntegrationMs_; }
    double holdMs() const { return holdMs_; }
    double returnMs() const { return returnMs_; }
    int overSampleCount() const { return overSamples_; }

private:
    double displayValue(int id) const override;

    enum Ring { LevelL, LevelR, HoldL, HoldR, MeanSquareL, MeanSquareR, OverTimerL, OverTimerR, kRingCount };

    struct Channel {
        PeakBallistics peak;
        double meanSquare = kRestReading;
        // What the editor reads: the block-start snapshots and the block-end
        // readings, published by the audio thread.
        std::atomic<double> levelSnapshot{kRestReading};
        std::atomic<double> holdSnapshot{kRestReading};
        std::atomic<double> meanSquareSnapshot{kRestReading};
        std::atomic<double> shownLevel{kRestReading};
        std::atomic<double> shownHold{kRestReading};
        std::atomic<double> shownMeanSquare{kRestReading};

        void rest();
        void takeSnapshot();
        void publish();
    };

    // processBlock's work, built once per instruction set.
    friend struct BlockDispatch<RMSMeter>;
    void runBlock(const float* left, const float* right, int count);

    void updateTimings();
    void updateOverThreshold();

    // Settings and what follows from them: set from the parameter thread (and
    // the editor's thread, which follows the shared sets), read by the audio
    // thread once per block and by the editor.
    RelaxedValue<double> integrationMs_{0.0};
    RelaxedValue<double> rmsIntegrationMs_{0.0};
    RelaxedValue<double> holdMs_{0.0};
    RelaxedValue<double> returnMs_{0.0};
    PeakBallistics::SharedCoefficients ballistics_;
    RelaxedValue<float> meanSquareCoefficient_{1.0f};
    RelaxedValue<int> overSamples_{3};
    RelaxedValue<bool> fullScaleOvers_{true};
    RelaxedValue<double> overThreshold_{1.0};  // on levels relative to the reference
    std::array<Channel, MeterFrame::kChannels> channels_;
    std::array<HistoryRing, kRingCount> history_;
};

// Both builds of the block loop live in RMSMeter.cpp.
extern template struct BlockDispatch<RMSMeter>;
