#pragma once

// The extended (2.x) layer of the effect base: pins, speaker arrangements,
// names, capabilities, parameter properties and the editor's keyboard and
// knob-mode opcodes. Everything not answered here goes to AudioEffect.

#include "base/AudioEffect.h"

class AudioEffectX : public AudioEffect {
public:
    AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);

    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    virtual bool canParameterBeAutomated(VstInt32 /*index*/) { return false; }
    virtual bool getParameterProperties(VstInt32 /*index*/, VstParameterProperties* /*properties*/)
    {
        return false;
    }
    virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/)
    {
        return false;
    }
    virtual bool getInputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    virtual bool getOutputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    virtual VstPlugCategory getPlugCategory() { return kPlugCategUnknown; }
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* /*input*/, VstSpeakerArrangement* /*output*/)
    {
        return false;
    }
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output);
    // Text getters write within the size the interface gives for each text.
    virtual bool getEffectName(char* /*name*/) { return false; }
    virtual bool getVendorString(char* /*text*/) { return false; }
    virtual bool getProductString(char* /*text*/) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstInt32 canDo(const char* /*text*/) { return 0; }
    virtual VstInt32 getVstVersion() { return kVstVersion; }
    virtual VstInt32 getTailSize() { return 0; }

    bool isInputConnected(VstInt32 input) { return callHost(audioMasterPinConnected, input, 0) == 0; }
    bool isOutputConnected(VstInt32 output) { return callHost(audioMasterPinConnected, output, 1) == 0; }

    static constexpr VstInt32 kVstVersion = 2400;
    static constexpr VstInt32 kIdentifyCode = vstFourCC('N', 'v', 'E', 'f');

private:
    VstIntPtr forwardKey(VstInt32 opcode, VstInt32 character, VstIntPtr virtualKey, float modifiers);
};
