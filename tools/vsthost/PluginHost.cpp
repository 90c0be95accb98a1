#include "tools/vsthost/PluginHost.h"

#include "tools/vsthost/SharedLibrary.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace host {

namespace {

constexpr VstIntPtr kHostVersion = 2400;
constexpr VstIntPtr kHostVendorVersion = 1;
constexpr const char* kHostVendor = "QOR Valdora tools";
constexpr const char* kHostProduct = "vsthost";

// The callback's string answers: the interface promises room for 64 bytes.
VstIntPtr copyHostString(void* ptr, const char* text)
{
    if (!ptr)
        return 0;
    std::snprintf(static_cast<char*>(ptr), kVstMaxVendorStrLen, "%s", text);
    return 1;
}

}  // namespace

int HostState::count(VstInt32 opcode) const
{
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [opcode](const Call& c) { return c.opcode == opcode; }));
}

HostState& hostState()
{
    static HostState state;
    return state;
}

extern "C" VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt)
{
    HostState& state = hostState();
    if (state.recordCalls)
        state.calls.push_back({opcode, index, value, opt});
    switch (opcode) {
    case audioMasterVersion: {
        const int call = state.versionCalls++;
        if (state.versionCallsBeforeRefusal >= 0 && call >= state.versionCallsBeforeRefusal)
            return 0;
        return state.versionAnswer;
    }
    case audioMasterCurrentId:
        return 0;
    case audioMasterGetOutputLatency:
        return state.outputLatencySamples;
    case audioMasterPinConnected:
        return state.pinConnectedAnswer;
    case audioMasterSizeWindow:
        return state.sizeWindowAnswer;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(state.sampleRate);
    case audioMasterGetBlockSize:
        return state.blockSize;
    case audioMasterGetVendorString:
        return copyHostString(ptr, kHostVendor);
    case audioMasterGetProductString:
        return copyHostString(ptr, kHostProduct);
    case audioMasterGetVendorVersion:
        return kHostVendorVersion;
    default:
        return 0;
    }
}

std::unique_ptr<PluginLibrary> PluginLibrary::open(const std::string& path, std::string& error)
{
    void* const handle = loadSharedLibrary(path, error);
    if (!handle)
        return nullptr;
    std::unique_ptr<PluginLibrary> library(new PluginLibrary(handle));
    if (!library->hasSymbol("VSTPluginMain") && !library->hasSymbol("main")) {
        error = path + ": no VST 2.4 entry point (VSTPluginMain or main)";
        return nullptr;
    }
    return library;
}

PluginLibrary::~PluginLibrary()
{
    unloadSharedLibrary(handle_);
}

bool PluginLibrary::hasSymbol(const char* name) const
{
    return sharedLibrarySymbol(handle_, name) != nullptr;
}

AEffect* PluginLibrary::instantiate(audioMasterCallback callback) const
{
    std::string ignored;
    return instantiate(ignored, callback);
}

AEffect* PluginLibrary::instantiate(std::string& error, audioMasterCallback callback) const
{
    using EntryPoint = AEffect* (*)(audioMasterCallback);
    void* symbol = sharedLibrarySymbol(handle_, "VSTPluginMain");
    if (!symbol)
        symbol = sharedLibrarySymbol(handle_, "main");
    if (!symbol) {
        error = "no VST 2.4 entry point (VSTPluginMain or main)";
        return nullptr;
    }
    EntryPoint entry;
    static_assert(sizeof(entry) == sizeof(symbol), "function and object pointers differ");
    std::memcpy(&entry, &symbol, sizeof(entry));
    AEffect* effect = entry(callback);
    if (!effect) {
        error = "the plug-in refused to load (its entry point returned null)";
        return nullptr;
    }
    // Without the magic word nothing else in the record can be trusted, not even effClose.
    if (effect->magic != kEffectMagic) {
        error = "the entry point returned a record without the VST magic word";
        return nullptr;
    }
    return effect;
}

std::string fourCharText(VstInt32 code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto byte = static_cast<unsigned char>((static_cast<std::uint32_t>(code) >> shift) & 0xffu);
        if (byte >= 0x20 && byte < 0x7f && byte != '\\') {
            text += static_cast<char>(byte);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            text += escaped;
        }
    }
    return text;
}

const char* categoryName(VstIntPtr category)
{
    static constexpr std::array<const char*, 12> kNames = {
        "Unknown",    "Effect",      "Synth",          "Analysis", "Mastering", "Spacializer",
        "RoomFx",     "SurroundFx",  "Restoration",    "OfflineProcess", "Shell", "Generator"};
    const bool known = category >= 0 && category < static_cast<VstIntPtr>(kNames.size());
    return known ? kNames[static_cast<size_t>(category)] : "?";
}

Plugin::Plugin(AEffect* effect) : effect_(effect)
{
    dispatch(effOpen);
}

Plugin::~Plugin()
{
    if (!effect_)
        return;
    if (resumed_)
        suspend();
    dispatch(effClose);
}

AEffect* Plugin::release()
{
    AEffect* effect = effect_;
    effect_ = nullptr;
    return effect;
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const
{
    if (!effect_ || !effect_->dispatcher)
        return 0;
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void Plugin::resume() const
{
    dispatch(effMainsChanged, 0, 1);
    resumed_ = true;
}

void Plugin::suspend() const
{
    dispatch(effMainsChanged, 0, 0);
    resumed_ = false;
}

bool Plugin::canDo(const std::string& what) const
{
    std::vector<char> query(what.begin(), what.end());
    query.push_back('\0');
    return dispatch(effCanDo, 0, 0, query.data()) > 0;
}

bool Plugin::inputProperties(int index, VstPinProperties& pin) const
{
    pin = VstPinProperties{};
    const bool described = dispatch(effGetInputProperties, index, 0, &pin) != 0;
    pin.label[kVstMaxLabelLen - 1] = '\0';
    pin.shortLabel[kVstMaxShortLabelLen - 1] = '\0';
    return described;
}

bool Plugin::outputProperties(int index, VstPinProperties& pin) const
{
    pin = VstPinProperties{};
    const bool described = dispatch(effGetOutputProperties, index, 0, &pin) != 0;
    pin.label[kVstMaxLabelLen - 1] = '\0';
    pin.shortLabel[kVstMaxShortLabelLen - 1] = '\0';
    return described;
}

std::string Plugin::text(VstInt32 opcode, VstInt32 index, int capacity) const
{
    // Plug-ins are known to write past the promised size; keep a wide margin.
    std::vector<char> buffer(static_cast<size_t>(capacity) + 256, '\0');
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

std::string Plugin::parameterName(int index) const
{
    return text(effGetParamName, index, kVstMaxParamStrLen);
}

std::string Plugin::parameterDisplay(int index) const
{
    return text(effGetParamDisplay, index, kVstMaxParamStrLen);
}

std::string Plugin::parameterLabel(int index) const
{
    return text(effGetParamLabel, index, kVstMaxParamStrLen);
}

void Plugin::process(float** inputs, float** outputs, VstInt32 frames) const
{
    const bool replacing = effect_->processReplacing && (hasFlag(effFlagsCanReplacing) || !effect_->process);
    if (replacing) {
        effect_->processReplacing(effect_, inputs, outputs, frames);
        return;
    }
    if (!effect_->process)
        return;
    for (int channel = 0; channel < effect_->numOutputs; ++channel)
        std::fill(outputs[channel], outputs[channel] + frames, 0.0f);
    effect_->process(effect_, inputs, outputs, frames);
}

std::vector<unsigned char> Plugin::getChunk(bool program) const
{
    void* data = nullptr;
    const VstIntPtr size = dispatch(effGetChunk, program ? 1 : 0, 0, &data);
    if (size <= 0 || !data)
        return {};
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
}

VstIntPtr Plugin::setChunk(const std::vector<unsigned char>& data, bool program) const
{
    std::vector<unsigned char> copy = data;  // hosts hand over their own buffer
    return dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(copy.size()),
                    copy.empty() ? nullptr : copy.data());
}

}  // namespace host
