#pragma once

// The QOR Valdora effect: parameters, state chunk, audio path, strip filters
// and (through AEffEditor only) its editor. One object per plug-in instance.

#include "base/LockedText.h"
#include "core/EffectParameters.h"
#include "core/GainGlide.h"
#include "core/HostChunk.h"
#include "core/StripFilterSection.h"
#include "meters/MeterEngine.h"
#include "presets/CPresetSystemEffect.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

class AEffEditor;

class Templete : public CPresetSystemEffect {
public:
    // Builds the editor; null (or a throw) leaves the effect without one.
    using EditorFactory = std::unique_ptr<AEffEditor> (*)(AudioEffect* effect);

    static constexpr VstInt32 kUniqueId = vstFourCC('K', 'v', '7', 'x');
    static constexpr VstInt32 kVendorVersion = 3010;
    static constexpr int kStripLabelSize = HostChunk::kLabelSize;

    explicit Templete(audioMasterCallback audioMaster, EditorFactory makeEditor = nullptr);
    ~Templete() override;

    // Parameters
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool canParameterBeAutomated(VstInt32 index) override;
    bool getParameterProperties(VstInt32 index, VstParameterProperties* properties) override;

    // State
    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

    // Processing
    void suspend() override;
    void resume() override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    // Host information
    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    VstPlugCategory getPlugCategory() override { return kPlugCategMastering; }
    bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return kVendorVersion; }
    VstInt32 canDo(const char* text) override;

    // What the editor reads and writes
    std::string stripLabel() const { return stripLabel_.text(); }
    // Keeps at most kStripLabelSize - 1 characters; callers announce the
    // change with kParamLabelChanged.
    void setStripLabel(const char* text);
    StripFilterSection* filterSection() { return filterSection_.get(); }
    static constexpr int kMeterCount = 3;
    // The engine of a meter (numbered as parameter 3 numbers them: 0 VU,
    // 1 RMS, 2 PPM) that the views poll; null when it could not be built.
    MeterEngine* meterEngine(int meter) const
    {
        return meter >= 0 && meter < kMeterCount ? meters_[static_cast<std::size_t>(meter)].get() : nullptr;
    }
    int selectedMeter() const { return selectedMeter_.load(std::memory_order_relaxed); }
    float trimDb() const { return trimDb_.load(std::memory_order_relaxed); }
    const GainGlide& gain() const { return gain_; }
    double lastBlockTimeSec() const { return lastBlockTimeSec_.load(std::memory_order_relaxed); }
    double blockDurationSec() const { return blockDurationSec_.load(std::memory_order_relaxed); }
    double outputLatencySec() const { return outputLatencySec_; }
    double effectiveSampleRate() const { return effectiveRateHz_; }

    // Rates outside 20000..200000 Hz (or not finite) are replaced by 44100.
    static double usableSampleRate(float rateHz);

private:
    void seedParameters();
    void seedFilterParameters();
    void createEditor(EditorFactory makeEditor);
    void applyParameter(VstInt32 index, float value);
    void applyFilterParameter(VstInt32 index, float value);
    void switchFilters(int on);
    void noteBlockTiming(int frames);
    void copyThrough(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int frames);

    // Meter engine integration points: every use of the engines goes through these.
    void createMeterEngines();
    void seedMeterSettings();
    void forwardToMeterEngines(VstInt32 index, float value);
    void prepareMeterEngines(double rateHz);
    int selectedMeterDelayMs() const;
    // The engine whose settings include a meter setting id; null for other ids.
    MeterEngine* settingEngine(VstInt32 index) const;
    template <class Action>
    void forEachMeterEngine(Action&& action);

    EffectParameters params_;
    GainGlide gain_;
    std::unique_ptr<HostChunk> chunk_;
    std::array<std::unique_ptr<MeterEngine>, kMeterCount> meters_;
    std::unique_ptr<StripFilterSection> filterSection_;
    // Set by chunks and by the editor, read by the editor and getChunk.
    LockedText<kStripLabelSize> stripLabel_;
    // getChunk fills chunk_ and hands the host a pointer into it.
    std::mutex chunkMutex_;
    // Set by the host's parameter calls on any thread, read by the audio
    // path once per block and by the editor: whole values, no ordering.
    std::atomic<int> processOn_{0};
    std::atomic<int> selectedMeter_{0};
    std::atomic<int> delayMs_{0};
    std::atomic<float> trimDb_{0.0f};
    // Set by the dispatcher, read by the audio path and the editor.
    RelaxedValue<bool> stereoInput_{true};
    RelaxedValue<bool> stereoOutput_{true};
    RelaxedValue<double> effectiveRateHz_{44100.0};
    // Stamped by the audio path, read by the editor's idle.
    std::atomic<double> lastBlockTimeSec_{0.0};
    std::atomic<double> blockDurationSec_{256.0};
    RelaxedValue<double> outputLatencySec_{0.0};
};
