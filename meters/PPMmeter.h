#pragma once

// The measuring core of the "PPM3" meter: a quasi-peak programme meter with
// separate rise and fall times, a held peak and over detection per channel.
// Settings 93..100; readings are relative to the reference and rest at 0.

#include "meters/BlockDispatch.h"
#include "meters/MeterEngine.h"
#include "meters/PeakBallistics.h"

#include <array>
#include <atomic>

class PPMmeter : public MeterEngine {
public:

    // The effect is not owned; settings sources deliver through its setParameter.
    explicit PPMmeter(AudioEffect* effect);

    void setSetting(int id, float value) override;

    void prepare() override;
    void resetReadings() override;
    void processBlock(const float* left, const float* right, int count) override;

    // MeanSquare reads 0.
    double readValue(double fraction, MeterReading reading, int channel) override;
    double readOverState(int channel) override;

    double integrationMs() const { return integrationMs_; }
    double holdMs() const { return holdMs_; }
    double returnMs() const { return returnMs_; }
    int overSampleCount() const { return overSamples_; }

private:
    double displayValue(int id) const override;

    enum Ring { LevelL, LevelR, HoldL, HoldR, OverTimerL, OverTimerR, kRingCount };

    struct Channel {
        PeakBallistics peak;
        // What the editor reads: the block-start snapshots and the block-end
        // readings, published by the audio thread.
        std::atomic<double> levelSnapshot{0.0};
        std::atomic<double> holdSnapshot{0.0};
        std::atomic<double> shownLevel{0.0};
        std::atomic<double> shownHold{0.0};

        void rest();
        void takeSnapshot();
        void publish();
    };

    // processBlock's work, built once per instruction set.
    friend struct BlockDispatch<PPMmeter>;
    void runBlock(const float* left, const float* right, int count);

    void updateTimings();
    void updateOverThreshold();

    // Settings and what follows from them: set from the parameter thread (and
    // the editor's thread, which follows the shared sets), read by the audio
    // thread once per block and by the editor.
    RelaxedValue<double> integrationMs_{0.0};
    RelaxedValue<double> holdMs_{0.0};
    RelaxedValue<double> returnMs_{0.0};
    PeakBallistics::SharedCoefficients ballistics_;
    RelaxedValue<int> overSamples_{3};
    RelaxedValue<double> overThreshold_{1.0};
    std::array<Channel, MeterFrame::kChannels> channels_;
    std::array<HistoryRing, kRingCount> history_;
};

// Both builds of the block loop live in PPMmeter.cpp.
extern template struct BlockDispatch<PPMmeter>;
