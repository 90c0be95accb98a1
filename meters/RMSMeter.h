#pragma once

// The measuring core of the "RMS3" meter: per channel a quasi-peak level, a
// held peak, a running mean square and over detection, polled by the views.
// Settings 72..81 arrive as effect parameters; readings are linear and
// relative to the meter's reference level.

#include "meters/MeanSquare.h"
#include "meters/BlockDispatch.h"
#include "meters/MeterFrame.h"
#include "meters/MeterReading.h"
#include "meters/PeakBallistics.h"

#include <array>
#include <atomic>

class AudioEffect;

class RMSMeter {
public:
    static constexpr int kFirstSettingId = 72;
    static constexpr int kLastSettingId = 81;
    static constexpr double kRestReading = static_cast<float>(1e-6);

    // The effect is not owned; settings sources deliver through its setParameter.
    explicit RMSMeter(AudioEffect* effect);
    virtual ~RMSMeter() = default;
    RMSMeter(const RMSMeter&) = delete;
    RMSMeter& operator=(const RMSMeter&) = delete;

    // Settings 72..81 (normalised); other ids are ignored / read as 0.
    virtual void setSetting(int id, float value);
    virtual float getSetting(int id) const;
    // text holds at least settingdisplay::kTextSize characters; untouched for other ids.
    virtual void getSettingDisplay(int id, char* text) const;

    // Audio side.
    void setSampleRate(float sampleRate) { frame_.setSampleRate(sampleRate); }
    float sampleRate() const { return frame_.sampleRate; }
    void prepare();
    void resetReadings();
    void processBlock(const float* left, const float* right, int count);

    // State the effect hands to all three engines (normalised parameter values).
    void setMidSide(float value) { frame_.midSide.setEnabled(value); }       // parameter 4
    void setHoldMode(float value) { frame_.holdMode.set(value); }            // parameter 5
    void setSettingsSource(float value);                                     // parameter 2
    void setDisplayDelay(float value) { frame_.delay.set(value); }           // parameter 16
    bool midSide() const { return frame_.midSide.enabled(); }
    int holdMode() const { return frame_.holdMode.mode(); }
    int settingsSource() const { return frame_.sources.source(); }
    int displayDelayMs() const { return frame_.delay.delayMs(); }

    // Shared settings.
    static void storeDefaults();
    void followGlobalSettings();

    // View side (GUI thread). channel 0 is left or M, 1 right or S.
    double readValue(double fraction, MeterReading reading, int channel);
    double readOverState(int channel);
    double applyInfiniteHold(int channel, double hold) { return frame_.applyInfiniteHold(channel, hold); }
    void clearOvers() { frame_.clearOvers(); }
    double lastReading() const { return frame_.lastReading; }

    // Derived values.
    double referenceDb() const { return reference_.db; }
    double integrationMs() const { return integrationMs_; }
    double rmsIntegrationMs() const { return rmsIntegrationMs_; }
    double holdMs() const { return holdMs_; }
    double returnMs() const { return returnMs_; }
    int overSampleCount() const { return overSamples_; }
    bool precise() const { return frame_.precise.load(std::memory_order_relaxed); }

private:
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

    MeterFrame frame_;
    SettingValues stored_;
    // Settings and what follows from them: set from the parameter thread (and
    // the editor's thread, which follows the shared sets), read by the audio
    // thread once per block and by the editor.
    conversions::SharedReference reference_;
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
