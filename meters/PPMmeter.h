#pragma once

// The measuring core of the "PPM3" meter: a quasi-peak programme meter with
// separate rise and fall times, a held peak and over detection per channel.
// Settings 93..100; readings are relative to the reference and rest at 0.

#include "meters/BlockDispatch.h"
#include "meters/MeterFrame.h"
#include "meters/MeterReading.h"
#include "meters/PeakBallistics.h"

#include <array>
#include <atomic>

class AudioEffect;

class PPMmeter {
public:
    static constexpr int kFirstSettingId = 93;
    static constexpr int kLastSettingId = 100;

    explicit PPMmeter(AudioEffect* effect);
    virtual ~PPMmeter() = default;
    PPMmeter(const PPMmeter&) = delete;
    PPMmeter& operator=(const PPMmeter&) = delete;

    virtual void setSetting(int id, float value);
    virtual float getSetting(int id) const;
    virtual void getSettingDisplay(int id, char* text) const;

    void setSampleRate(float sampleRate) { frame_.setSampleRate(sampleRate); }
    float sampleRate() const { return frame_.sampleRate; }
    void prepare();
    void resetReadings();
    void processBlock(const float* left, const float* right, int count);

    void setMidSide(float value) { frame_.midSide.setEnabled(value); }
    void setHoldMode(float value) { frame_.holdMode.set(value); }
    void setSettingsSource(float value);
    void setDisplayDelay(float value) { frame_.delay.set(value); }
    bool midSide() const { return frame_.midSide.enabled(); }
    int holdMode() const { return frame_.holdMode.mode(); }
    int settingsSource() const { return frame_.sources.source(); }
    int displayDelayMs() const { return frame_.delay.delayMs(); }

    static void storeDefaults();
    void followGlobalSettings();

    // MeanSquare reads 0.
    double readValue(double fraction, MeterReading reading, int channel);
    double readOverState(int channel);
    double applyInfiniteHold(int channel, double hold) { return frame_.applyInfiniteHold(channel, hold); }
    void clearOvers() { frame_.clearOvers(); }
    double lastReading() const { return frame_.lastReading; }

    double referenceDb() const { return reference_.db; }
    double integrationMs() const { return integrationMs_; }
    double holdMs() const { return holdMs_; }
    double returnMs() const { return returnMs_; }
    int overSampleCount() const { return overSamples_; }
    bool precise() const { return frame_.precise.load(std::memory_order_relaxed); }

private:
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

    MeterFrame frame_;
    SettingValues stored_;
    // Settings and what follows from them: set from the parameter thread (and
    // the editor's thread, which follows the shared sets), read by the audio
    // thread once per block and by the editor.
    conversions::SharedReference reference_;
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
