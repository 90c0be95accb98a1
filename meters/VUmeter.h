#pragma once

// The measuring core of the "VU3" meter: per channel a simulated moving-coil
// needle whose damping follows its own deflection, a held needle value and
// over detection. Settings 83..91; readings are relative to the reference
// (0 VU), the needle resting at -0.05.

#include "meters/BlockDispatch.h"
#include "meters/MeterFrame.h"
#include "meters/MeterReading.h"
#include "meters/NeedleHold.h"
#include "meters/NeedleModel.h"

#include <array>
#include <atomic>

class AudioEffect;

class VUmeter {
public:
    static constexpr int kFirstSettingId = 83;
    static constexpr int kLastSettingId = 91;
    static constexpr double kRestReading = -0.05;

    explicit VUmeter(AudioEffect* effect);
    virtual ~VUmeter() = default;
    VUmeter(const VUmeter&) = delete;
    VUmeter& operator=(const VUmeter&) = delete;

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

    // MeterReading::Level is the needle; MeanSquare reads 0.
    double readValue(double fraction, MeterReading reading, int channel);
    double readOverState(int channel);
    double applyInfiniteHold(int channel, double hold) { return frame_.applyInfiniteHold(channel, hold); }
    void clearOvers() { frame_.clearOvers(); }
    double lastReading() const { return frame_.lastReading; }

    double referenceDb() const { return reference_.db; }
    double integrationMs() const { return integrationMs_; }
    double holdMs() const { return holdMs_; }
    int needleType() const { return needleType_; }
    double needleFrequencyHz() const;
    int overSampleCount() const { return overSamples_; }
    bool precise() const { return frame_.precise.load(std::memory_order_relaxed); }
    // Scale backlight step 0..4 of the VU views (setting 88).
    int backlightStep() const { return static_cast<int>(stored_.get(88) * 4.0f + 0.5f); }

private:
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

    MeterFrame frame_;
    SettingValues stored_;
    // Settings and what follows from them: set from the parameter thread (and
    // the editor's thread, which follows the shared sets), read by the audio
    // thread once per block and by the editor.
    conversions::SharedReference reference_;
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
