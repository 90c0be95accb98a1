#pragma once

// What the effect and the panels use of a meter engine. The engines differ in
// their ballistics, settings and readings (the virtual operations, the first
// three in the order the plug-in's binary shape fixes); the state the effect
// hands to all three, the settings sources and the reference are common.

#include "base/ParameterIds.h"
#include "meters/GlobalSettingsSet.h"
#include "meters/MeterFrame.h"
#include "meters/MeterReading.h"
#include "meters/SettingConversions.h"
#include "meters/SettingValues.h"

class AudioEffect;

class MeterEngine {
public:
    virtual ~MeterEngine() = default;
    MeterEngine(const MeterEngine&) = delete;
    MeterEngine& operator=(const MeterEngine&) = delete;

    // Settings of this engine's ids (normalised); other ids are ignored / read as 0.
    virtual void setSetting(int id, float value) = 0;
    virtual float getSetting(int id) const { return stored_.get(id); }
    // text holds at least settingdisplay::kTextSize characters; untouched for other ids.
    virtual void getSettingDisplay(int id, char* text) const;

    // Audio side.
    virtual void prepare() = 0;
    virtual void resetReadings() = 0;
    virtual void processBlock(const float* left, const float* right, int count) = 0;

    // View side (GUI thread). channel 0 is left or M, 1 right or S.
    virtual double readValue(double fraction, MeterReading reading, int channel) = 0;
    virtual double readOverState(int channel) = 0;

    MeterKind kind() const { return kind_; }
    void setSampleRate(float sampleRate) { frame_.setSampleRate(sampleRate); }
    float sampleRate() const { return frame_.sampleRate; }

    // State the effect hands to all three engines (normalised parameter values).
    void setMidSide(float value) { frame_.midSide.setEnabled(value); }       // parameter 4
    void setHoldMode(float value) { frame_.holdMode.set(value); }            // parameter 5
    void setDisplayDelay(float value) { frame_.delay.set(value); }           // parameter 16
    void setSettingsSource(float value) { frame_.sources.select(SettingsSource::fromNormalised(value), *this); }
    bool midSide() const { return frame_.midSide.enabled(); }
    int holdMode() const { return frame_.holdMode.mode(); }
    int settingsSource() const { return frame_.sources.source(); }
    int displayDelayMs() const { return frame_.delay.delayMs(); }

    // Shared settings: this meter's set A from its current values, and the
    // shared values another instance has changed.
    void storeDefaults() const { GlobalSettingsSet::storeSetA(kind_); }
    void followGlobalSettings() { frame_.sources.follow(stored_, *this); }

    double applyInfiniteHold(int channel, double hold) { return frame_.applyInfiniteHold(channel, hold); }
    void clearOvers() { frame_.clearOvers(); }
    double lastReading() const { return frame_.lastReading; }
    double referenceDb() const { return reference_.db; }
    bool precise() const { return frame_.precise.load(std::memory_order_relaxed); }

protected:
    // The number a setting with a display text shows, in the table's unit.
    virtual double displayValue(int id) const = 0;

    MeterEngine(MeterKind kind, AudioEffect* effect) : kind_(kind), frame_(kind, effect), stored_(kind) {}

    const MeterKind kind_;
    MeterFrame frame_;
    SettingValues stored_;
    // Set from the parameter thread, read by the audio thread once per block.
    conversions::SharedReference reference_;
};
