#include "core/Templete.h"

#include "base/AEffEditor.h"
#include "base/ProcessWide.h"
#include "base/TextCopy.h"
#include "core/ParameterMapping.h"
#include "meters/MeterSettingsTable.h"
#include "meters/PPMmeter.h"
#include "meters/RMSMeter.h"
#include "meters/SettingsSource.h"
#include "meters/VUmeter.h"
#include "platform/Clock.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr const char* kEffectName = "QOR Valdora";
constexpr const char* kVendor = "www.brontal.com";
constexpr const char* kDefaultStripLabel = "Master Track";
constexpr const char* kParameterLabel = "  ";
constexpr VstInt32 kNumPins = 2;
constexpr VstInt32 kSecondChannel = 1;
constexpr double kFallbackRateHz = 44100.0;
constexpr double kMinUsableRateHz = 20000.0;
constexpr double kMaxUsableRateHz = 200000.0;
constexpr double kMsToSeconds = 0.001;

constexpr std::array<const char*, 5> kCanDo = {"offline", "plugAsChannelInsert", "1in1out", "1in2out",
                                                "2in2out"};

// The second channel only when the host really gives a separate one;
// otherwise both sides use the first (mono arrangements, shared pointers).
float* secondChannel(float* const* channels, bool usable)
{
    if (usable && channels[kSecondChannel] && channels[kSecondChannel] != channels[0])
        return channels[kSecondChannel];
    return channels[0];
}

bool fillPin(VstInt32 index, const char* format, VstPinProperties* properties)
{
    if (index < 0 || index >= kNumPins)
        return false;
    std::snprintf(properties->label, sizeof(properties->label), format, static_cast<int>(index + 1));
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

}  // namespace

Templete::Templete(audioMasterCallback audioMaster, EditorFactory makeEditor)
    : CPresetSystemEffect(audioMaster, param::kNumHostParams)
{
    setNumInputs(kNumPins);
    setNumOutputs(kNumPins);
    setInitialDelay(0);
    setUniqueID(kUniqueId);
    canProcessReplacing(true);
    programsAreChunks(true);

    chunk_ = std::make_unique<HostChunk>();
    createMeterEngines();
    filterSection_.reset(new (std::nothrow) StripFilterSection());
    seedParameters();
    createEditor(makeEditor);

    // Coefficients and readings ready for 44100 Hz before the host says anything.
    suspend();
    resume();
    suspend();
}

Templete::~Templete()
{
    // A host may close the plug-in with its editor still open; the window
    // contents read the engines, so they go while the effect is still whole.
    if (AEffEditor* const editor = getEditor())
        editor->close();
    filterSection_.reset();
    for (auto& engine : meters_)
        engine.reset();
    chunk_.reset();
}

double Templete::usableSampleRate(float rateHz)
{
    const bool usable = rateHz >= kMinUsableRateHz && rateHz <= kMaxUsableRateHz;
    return usable ? rateHz : kFallbackRateHz;
}

// Defaults do not pass through setParameter, so the editor is not told.
void Templete::seedParameters()
{
    params_.store(param::kProcess, 0.0f);
    params_.store(param::kMidSide, 0.0f);
    params_.store(param::kHold, 0.0f);
    params_.store(param::kLagTime, 0.0f);
    params_.store(param::kSettingsSource, param::clampUnit(SettingsSource::current() * 0.5f));
    const float meterValue = param::clampUnit(static_cast<float>(processwide::SelectedMeter.load()) * 0.5f);
    params_.store(param::kMeter, meterValue);
    selectedMeter_ = param::threeState(meterValue);
    params_.store(param::kTrim, 0.5f);
    trimDb_ = param::trimDbFromValue(0.5f);
    gain_.setTarget(param::gainFromDb(trimDb()));
    gain_.jumpToTarget();
    params_.store(param::kShowLabel, 0.0f);
    setStripLabel(kDefaultStripLabel);
    params_.store(param::kShowFilters, 0.0f);
    params_.store(param::kProcessFilters, 0.0f);
    seedFilterParameters();
    params_.store(param::kShowStrips, 1.0f);
    seedMeterSettings();
}

void Templete::seedFilterParameters()
{
    using Defaults = StripFilterSection::Defaults;
    StripFilterSection* const section = filterSection_.get();
    if (section)
        section->setRunning(false);
    params_.store(param::kHighPassStatus, section ? section->highPassStatusValue() : Defaults::highPassStatus);
    params_.store(param::kHighPassSlope, section ? section->highPassSlopeValue() : Defaults::highPassSlope);
    params_.store(param::kHighPassFrequency,
                  section ? section->highPassFrequencyValue() : Defaults::highPassFrequency);
    params_.store(param::kLowPassStatus, section ? section->lowPassStatusValue() : Defaults::lowPassStatus);
    params_.store(param::kLowPassSlope, section ? section->lowPassSlopeValue() : Defaults::lowPassSlope);
    params_.store(param::kLowPassFrequency, section ? section->lowPassFrequencyValue() : Defaults::lowPassFrequency);
}

void Templete::createEditor(EditorFactory makeEditor)
{
    if (!makeEditor)
        return;
    try {
        setEditor(makeEditor(this));
    } catch (...) {
        setEditor(nullptr);
    }
}

void Templete::setStripLabel(const char* text)
{
    stripLabel_.set(text);
}

// ---------------------------------------------------------------------------
// Meter engine integration points

// Each engine is built with a back reference to this effect; one that cannot
// be allocated is left out and every use below skips it.
void Templete::createMeterEngines()
{
    meters_[static_cast<std::size_t>(MeterKind::Vu)].reset(new (std::nothrow) VUmeter(this));
    meters_[static_cast<std::size_t>(MeterKind::Rms)].reset(new (std::nothrow) RMSMeter(this));
    meters_[static_cast<std::size_t>(MeterKind::Ppm)].reset(new (std::nothrow) PPMmeter(this));
}

// In the order of their setting ids (RMS, VU, PPM), the order the shared
// sets are written and delivered in.
template <class Action>
void Templete::forEachMeterEngine(Action&& action)
{
    for (const MeterKind meter : {MeterKind::Rms, MeterKind::Vu, MeterKind::Ppm})
        if (MeterEngine* const engine = meterEngine(static_cast<int>(meter)))
            action(*engine);
}

MeterEngine* Templete::settingEngine(VstInt32 index) const
{
    for (const MeterKind meter : {MeterKind::Rms, MeterKind::Vu, MeterKind::Ppm})
        if (MeterSettingsTable::of(meter).contains(index))
            return meterEngine(static_cast<int>(meter));
    return nullptr;
}

// A setting whose engine is missing keeps the store's default.
void Templete::seedMeterSettings()
{
    param::forEachMeterSetting([&](VstInt32 index) {
        const MeterEngine* const engine = settingEngine(index);
        params_.store(index, engine ? engine->getSetting(index) : MeterSettingsTable::entry(index)->defaultValue);
    });
}

void Templete::forwardToMeterEngines(VstInt32 index, float value)
{
    switch (index) {
    case param::kSettingsSource:
        forEachMeterEngine([value](MeterEngine& engine) { engine.setSettingsSource(value); });
        break;
    case param::kMidSide:
        forEachMeterEngine([value](MeterEngine& engine) { engine.setMidSide(value); });
        break;
    case param::kHold:
        forEachMeterEngine([value](MeterEngine& engine) { engine.setHoldMode(value); });
        break;
    case param::kLagTime:
        forEachMeterEngine([value](MeterEngine& engine) { engine.setDisplayDelay(value); });
        break;
    case kParamStoreGlobalSettings:
        // The sets are process-wide: each existing engine's meter is written once.
        forEachMeterEngine([](MeterEngine& engine) { engine.storeDefaults(); });
        break;
    case kParamClearOvers:
        forEachMeterEngine([](MeterEngine& engine) { engine.clearOvers(); });
        break;
    default:
        if (MeterEngine* const engine = settingEngine(index))
            engine->setSetting(index, value);
        break;
    }
}

void Templete::prepareMeterEngines(double rateHz)
{
    const float rate = static_cast<float>(rateHz);
    forEachMeterEngine([rate](MeterEngine& engine) {
        engine.setSampleRate(rate);
        engine.prepare();
    });
}

int Templete::selectedMeterDelayMs() const
{
    const MeterEngine* const engine = meterEngine(selectedMeter());
    return engine ? engine->displayDelayMs() : delayMs_.load(std::memory_order_relaxed);
}

// ---------------------------------------------------------------------------
// Parameters

void Templete::setParameter(VstInt32 index, float value)
{
    const float x = param::clampUnit(value);
    applyParameter(index, x);
    if (AEffEditor* const editor = getEditor())
        editor->setParameter(index, x);
}

void Templete::applyParameter(VstInt32 index, float value)
{
    params_.store(index, value);
    switch (index) {
    case param::kProcess:
        processOn_.store(param::twoState(value), std::memory_order_relaxed);
        switchFilters(param::twoState(value));
        break;
    case param::kTrim:
        trimDb_.store(param::trimDbFromValue(value), std::memory_order_relaxed);
        gain_.setTarget(param::gainFromDb(param::trimDbFromValue(value)));
        break;
    case param::kSettingsSource:
        SettingsSource::setCurrent(param::threeState(value));
        forwardToMeterEngines(index, value);
        break;
    case param::kMeter:
        selectedMeter_.store(param::threeState(value), std::memory_order_relaxed);
        processwide::SelectedMeter.store(param::threeState(value), std::memory_order_relaxed);
        break;
    case param::kProcessFilters:
        if (filterSection_)
            filterSection_->setRunning(param::twoState(value) != 0);
        switchFilters(param::twoState(value));
        break;
    case param::kLagTime:
        delayMs_.store(param::delayMsFromValue(value), std::memory_order_relaxed);
        forwardToMeterEngines(index, value);
        break;
    case param::kMidSide:
    case param::kHold:
    case kParamStoreGlobalSettings:
    case kParamClearOvers:
        forwardToMeterEngines(index, value);
        break;
    default:
        applyFilterParameter(index, value);
        forwardToMeterEngines(index, value);
        break;
    }
}

void Templete::applyFilterParameter(VstInt32 index, float value)
{
    StripFilterSection* const section = filterSection_.get();
    if (!section)
        return;
    switch (index) {
    case param::kHighPassStatus:
        section->setHighPassStatus(value);
        break;
    case param::kHighPassSlope:
        section->setHighPassSlope(value);
        break;
    case param::kHighPassFrequency:
        section->setHighPassFrequency(value);
        break;
    case param::kLowPassStatus:
        section->setLowPassStatus(value);
        break;
    case param::kLowPassSlope:
        section->setLowPassSlope(value);
        break;
    case param::kLowPassFrequency:
        section->setLowPassFrequency(value);
        break;
    default:
        break;
    }
}

// Switching on rebuilds the coefficients, switching off forgets the memories,
// so filters never start from a stale state.
void Templete::switchFilters(int on)
{
    if (!filterSection_)
        return;
    if (on)
        filterSection_->updateCoefficients();
    else
        filterSection_->clearState();
}

float Templete::getParameter(VstInt32 index)
{
    return params_.value(index);
}

void Templete::getParameterLabel(VstInt32 /*index*/, char* label)
{
    copyText(label, param::kTextSize, kParameterLabel);
}

void Templete::getParameterName(VstInt32 index, char* text)
{
    EffectParameters::name(index, text);
}

void Templete::getParameterDisplay(VstInt32 index, char* text)
{
    EffectParameters::DisplaySources sources;
    const float highPassValue = params_.value(param::kHighPassFrequency);
    const float lowPassValue = params_.value(param::kLowPassFrequency);
    sources.highPassHz = filterSection_ ? filterSection_->highPassHz()
                                        : StripFilterSection::highPassHzFromValue(highPassValue);
    sources.lowPassHz = filterSection_ ? filterSection_->lowPassHz()
                                       : StripFilterSection::lowPassHzFromValue(lowPassValue);
    sources.delayMs = selectedMeterDelayMs();
    params_.display(index, sources, text);
}

bool Templete::canParameterBeAutomated(VstInt32 index)
{
    return param::isControl(index);
}

bool Templete::getParameterProperties(VstInt32 index, VstParameterProperties* properties)
{
    return EffectParameters::properties(index, properties);
}

// ---------------------------------------------------------------------------
// State chunk

VstInt32 Templete::getChunk(void** data, bool /*isPreset*/)
{
    if (!data)
        return 0;
    if (!chunk_) {
        *data = nullptr;
        return 0;
    }
    const std::lock_guard<std::mutex> lock(chunkMutex_);
    HostChunk& chunk = *chunk_;
    chunk.clear();
    chunk.putFloat(HostChunk::kMarkOffset, HostChunk::kFormatMark);
    chunk.putBytes(HostChunk::kLabelOffset, stripLabel_.field().data(), kStripLabelSize);
    int offset = HostChunk::kParametersOffset;
    for (VstInt32 i = 0; i < param::kNumHostParams; ++i, offset += 4)
        chunk.putFloat(offset, getParameter(i));
    param::forEachMeterSetting([&](VstInt32 index) {
        chunk.putFloat(offset, getParameter(index));
        offset += 4;
    });
    *data = chunk.data();
    return HostChunk::kSize;
}

VstInt32 Templete::setChunk(void* data, VstInt32 byteSize, bool /*isPreset*/)
{
    // No block at all is no state: keep the current one.
    if (!data || byteSize <= 0 || !chunk_)
        return 0;
    // Read from a copy of its own: getChunk may fill chunk_ meanwhile.
    HostChunk chunk;
    chunk.copyFrom(data, byteSize);
    // The filters change over to the chunk's settings all in one block.
    const StripFilterSection::Batch filterBatch(filterSection_.get());
    LockedText<kStripLabelSize>::Field label{};
    chunk.getBytes(HostChunk::kLabelOffset, label.data(), kStripLabelSize);
    stripLabel_.setField(label);
    setParameter(kParamLabelChanged, 0.0f);

    int offset = HostChunk::kParametersOffset;
    for (VstInt32 i = 0; i < param::kNumHostParams; ++i, offset += 4)
        setParameter(i, chunk.floatAt(offset));

    // With the global source the engines keep the process-wide settings.
    const int source = param::threeState(getParameter(param::kSettingsSource));
    if (source == 1 || source == 2) {
        offset = HostChunk::kMeterSettingsOffset;
        param::forEachMeterSetting([&](VstInt32 index) {
            setParameter(index, chunk.floatAt(offset));
            offset += 4;
        });
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Processing

void Templete::suspend()
{
    gain_.jumpToTarget();
    if (filterSection_)
        filterSection_->clearState();
    forEachMeterEngine([](MeterEngine& engine) { engine.resetReadings(); });
}

void Templete::resume()
{
    const double rateHz = usableSampleRate(sampleRate);
    effectiveRateHz_ = rateHz;
    gain_.jumpToTarget();
    gain_.setSampleRate(rateHz);
    if (filterSection_) {
        filterSection_->setSampleRate(static_cast<float>(rateHz));
        filterSection_->updateCoefficients();
    }
    prepareMeterEngines(rateHz);
    const VstIntPtr latencySamples = callHost(audioMasterGetOutputLatency);
    outputLatencySec_ = static_cast<double>(latencySamples) / rateHz;
}

void Templete::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    // Both queries come first, whatever the block holds.
    const bool secondInputConnected = isInputConnected(kSecondChannel);
    const bool secondOutputConnected = isOutputConnected(kSecondChannel);
    if (!inputs || !outputs || !inputs[0] || !outputs[0]) {
        // Nothing to read or write: an empty block as far as anyone can tell.
        noteBlockTiming(0);
        return;
    }
    const int frames = sampleFrames > 0 ? sampleFrames : 0;
    float* const inLeft = inputs[0];
    float* const inRight = secondChannel(inputs, secondInputConnected && stereoInput_);
    float* const outLeft = outputs[0];
    float* const outRight = secondChannel(outputs, secondOutputConnected && stereoOutput_);

    if (processOn_.load(std::memory_order_relaxed)) {
        gain_.process(inLeft, inRight, outLeft, outRight, frames);
        // The section knows whether "ProcFlt" is in: it takes that with its design.
        if (StripFilterSection* const section = filterSection_.get()) {
            float* const channels[] = {outLeft, outRight};
            section->process(channels, channels, frames);
        }
    } else {
        copyThrough(inLeft, inRight, outLeft, outRight, frames);
    }
    noteBlockTiming(frames);
    // Only the selected engine measures; the others keep their last readings.
    if (MeterEngine* const engine = meterEngine(selectedMeter()))
        engine->processBlock(outLeft, outRight, frames);
}

void Templete::copyThrough(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                           int frames)
{
    for (int i = 0; i < frames; ++i) {
        outLeft[i] = inLeft[i];
        outRight[i] = inRight[i];
    }
}

// The editor places its redraws between blocks from these two values.
void Templete::noteBlockTiming(int frames)
{
    if (getEditor())
        lastBlockTimeSec_.store(platform::monotonicMs() * kMsToSeconds, std::memory_order_relaxed);
    blockDurationSec_.store(frames / effectiveRateHz_, std::memory_order_relaxed);
}

// ---------------------------------------------------------------------------
// Host information

bool Templete::getInputProperties(VstInt32 index, VstPinProperties* properties)
{
    return fillPin(index, "QOR Valdora %1d In", properties);
}

bool Templete::getOutputProperties(VstInt32 index, VstPinProperties* properties)
{
    return fillPin(index, "QOR Valdora %1d Out", properties);
}

bool Templete::setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output)
{
    const int inChannels = input ? input->numChannels : 0;
    const int outChannels = output ? output->numChannels : 0;
    const bool monoIn = inChannels == 1 && (outChannels == 1 || outChannels == 2);
    const bool stereo = inChannels == 2 && outChannels == 2;
    if (!monoIn && !stereo) {
        stereoInput_ = true;
        stereoOutput_ = true;
        return false;
    }
    stereoInput_ = stereo;
    stereoOutput_ = outChannels == 2;
    return true;
}

bool Templete::getEffectName(char* name)
{
    copyText(name, kVstMaxEffectNameLen, kEffectName);
    return true;
}

bool Templete::getVendorString(char* text)
{
    copyText(text, kVstMaxVendorStrLen, kVendor);
    return true;
}

bool Templete::getProductString(char* text)
{
    copyText(text, kVstMaxProductStrLen, kEffectName);
    return true;
}

VstInt32 Templete::canDo(const char* text)
{
    for (const char* supported : kCanDo)
        if (std::strcmp(text, supported) == 0)
            return 1;
    return 0;
}
