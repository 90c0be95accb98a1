#include "tools/vsthost/PluginHost.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

namespace host {

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

extern "C" VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*,
                                  float opt)
{
    HostState& state = hostState();
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
    default:
        return 0;
    }
}

std::unique_ptr<PluginLibrary> PluginLibrary::open(const std::string& path, std::string& error)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : "dlopen failed";
        return nullptr;
    }
    std::unique_ptr<PluginLibrary> library(new PluginLibrary(handle));
    if (!library->hasSymbol("VSTPluginMain") && !library->hasSymbol("main")) {
        error = path + ": no VST 2.4 entry point (VSTPluginMain or main)";
        return nullptr;
    }
    return library;
}

PluginLibrary::~PluginLibrary()
{
    dlclose(handle_);
}

bool PluginLibrary::hasSymbol(const char* name) const
{
    return dlsym(handle_, name) != nullptr;
}

AEffect* PluginLibrary::instantiate(audioMasterCallback callback) const
{
    using EntryPoint = AEffect* (*)(audioMasterCallback);
    void* symbol = dlsym(handle_, "VSTPluginMain");
    if (!symbol)
        symbol = dlsym(handle_, "main");
    if (!symbol)
        return nullptr;
    EntryPoint entry;
    static_assert(sizeof(entry) == sizeof(symbol), "function and object pointers differ");
    std::memcpy(&entry, &symbol, sizeof(entry));
    AEffect* effect = entry(callback);
    if (effect && effect->magic != kEffectMagic)
        return nullptr;
    return effect;
}

Plugin::Plugin(AEffect* effect) : effect_(effect)
{
    dispatch(effOpen);
}

Plugin::~Plugin()
{
    if (effect_)
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
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
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
    effect_->processReplacing(effect_, inputs, outputs, frames);
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
