#pragma once

// A VST 2.4 host in miniature: loads a plug-in library with dlopen, calls its
// entry point as a host does and wraps the interface record. The command-line
// host and the integration tests both load plug-ins through this.

#include "base/VstInterface.h"

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
    bool recordCalls = true;               // long runs switch this off to keep memory flat

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
    // The same, saying why when there is no instance.
    AEffect* instantiate(std::string& error, audioMasterCallback callback = hostCallback) const;
    bool hasSymbol(const char* name) const;

private:
    explicit PluginLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

// Renders a four-character code as text, escaping bytes that do not print.
std::string fourCharText(VstInt32 code);
const char* categoryName(VstIntPtr category);

// One plug-in instance, opened on construction and closed with effClose on destruction
// (suspended first when it was left resumed).
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
    VstIntPtr vendorVersion() const { return dispatch(effGetVendorVersion); }
    VstIntPtr vstVersion() const { return dispatch(effGetVstVersion); }
    VstIntPtr category() const { return dispatch(effGetPlugCategory); }
    bool canDo(const std::string& what) const;
    bool hasFlag(VstInt32 flag) const { return (effect_->flags & flag) != 0; }
    // False when the plug-in does not describe that pin; the record is zeroed first.
    bool inputProperties(int index, VstPinProperties& pin) const;
    bool outputProperties(int index, VstPinProperties& pin) const;
    int numParams() const { return effect_->numParams; }
    int numInputs() const { return effect_->numInputs; }
    int numOutputs() const { return effect_->numOutputs; }
    std::string parameterName(int index) const;
    std::string parameterDisplay(int index) const;
    std::string parameterLabel(int index) const;
    float getParameter(int index) const { return effect_->getParameter(effect_, index); }
    void setParameter(int index, float value) const { effect_->setParameter(effect_, index, value); }

    void setSampleRate(float rate) const { dispatch(effSetSampleRate, 0, 0, nullptr, rate); }
    void setBlockSize(VstInt32 frames) const { dispatch(effSetBlockSize, 0, frames); }
    void resume() const;
    void suspend() const;
    bool resumed() const { return resumed_; }
    void startProcess() const { dispatch(effStartProcess); }
    void stopProcess() const { dispatch(effStopProcess); }

    // One block with separate input and output buffers, as most hosts keep them:
    // numInputs and numOutputs channel pointers. A plug-in without the replacing
    // call gets the old accumulating one on zeroed outputs.
    void process(float** inputs, float** outputs, VstInt32 frames) const;

    std::vector<unsigned char> getChunk(bool program = false) const;
    VstIntPtr setChunk(const std::vector<unsigned char>& data, bool program = false) const;

    // Releases ownership without closing (for tests that close by hand).
    AEffect* release();

private:
    AEffect* effect_;
    // Const callers (tests holding a const Plugin&) may still switch the plug-in on and off.
    mutable bool resumed_ = false;
};

}  // namespace host
