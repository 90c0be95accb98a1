#pragma once

// A VST 2.4 host in miniature: loads a plug-in library with dlopen, calls its
// entry point as a host does and wraps the interface record. The command-line
// host and the integration tests both load plug-ins through this.

#include "core/VstInterface.h"

#include <memory>
#include <string>
#include <vector>

namespace host {

// What the host answers to the plug-in's callbacks, and what it was told.
// One per process: the entry point calls back before any record exists.
struct HostState {
    VstIntPtr versionAnswer = 2400;        // audioMasterVersion; 0 refuses the plug-in
    int versionCallsBeforeRefusal = -1;    // -1: never refuse; n: answer 0 from the (n+1)th call
    VstIntPtr outputLatencySamples = 0;    // audioMasterGetOutputLatency
    VstIntPtr pinConnectedAnswer = 0;      // audioMasterPinConnected: 0 means connected
    VstIntPtr sizeWindowAnswer = 1;        // audioMasterSizeWindow
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 512;

    struct Call {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        float opt;
    };
    std::vector<Call> calls;  // every callback received, in order
    int versionCalls = 0;

    void reset() { *this = HostState{}; }
    int count(VstInt32 opcode) const;
};

HostState& hostState();

extern "C" VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt);

// The loaded library; closing it unloads the code, so instances go first.
class PluginLibrary {
public:
    static std::unique_ptr<PluginLibrary> open(const std::string& path, std::string& error);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Calls the entry point ("VSTPluginMain", else "main"); null when refused.
    AEffect* instantiate(audioMasterCallback callback = hostCallback) const;
    bool hasSymbol(const char* name) const;

private:
    explicit PluginLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

// One plug-in instance, opened on construction and closed with effClose on destruction.
class Plugin {
public:
    explicit Plugin(AEffect* effect);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    AEffect* effect() const { return effect_; }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;
    // A text opcode answered into a buffer of the given size, guarded against overruns.
    std::string text(VstInt32 opcode, VstInt32 index = 0, int capacity = 256) const;

    std::string effectName() const { return text(effGetEffectName, 0, kVstMaxEffectNameLen); }
    std::string vendor() const { return text(effGetVendorString, 0, kVstMaxVendorStrLen); }
    std::string product() const { return text(effGetProductString, 0, kVstMaxProductStrLen); }
    std::string parameterName(int index) const;
    std::string parameterDisplay(int index) const;
    std::string parameterLabel(int index) const;
    float getParameter(int index) const { return effect_->getParameter(effect_, index); }
    void setParameter(int index, float value) const { effect_->setParameter(effect_, index, value); }

    void setSampleRate(float rate) const { dispatch(effSetSampleRate, 0, 0, nullptr, rate); }
    void setBlockSize(VstInt32 frames) const { dispatch(effSetBlockSize, 0, frames); }
    void resume() const { dispatch(effMainsChanged, 0, 1); }
    void suspend() const { dispatch(effMainsChanged, 0, 0); }

    // Processes numChannels x frames in place semantics of the host: separate
    // input and output buffers as most hosts use them.
    void process(float** inputs, float** outputs, VstInt32 frames) const;

    std::vector<unsigned char> getChunk(bool program = false) const;
    VstIntPtr setChunk(const std::vector<unsigned char>& data, bool program = false) const;

    // Releases ownership without closing (for tests that close by hand).
    AEffect* release();

private:
    AEffect* effect_;
};

}  // namespace host
