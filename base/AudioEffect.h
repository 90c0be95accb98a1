#pragma once

// The base of the effect's class layering: owns the interface record the
// host holds, forwards the record's thunks to virtual operations and answers
// the 1.0 opcodes. Only what this plug-in relies on is here.

#include "base/VstInterface.h"

#include <memory>

class AEffEditor;

class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    virtual ~AudioEffect();
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    AEffect* getAeffect() { return &cEffect; }

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    // Parameters
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
    // Applies the value, then tells the host (automation recording).
    virtual void setParameterAutomated(VstInt32 index, float value);
    virtual void getParameterLabel(VstInt32 /*index*/, char* label) { label[0] = '\0'; }
    virtual void getParameterDisplay(VstInt32 /*index*/, char* text) { text[0] = '\0'; }
    virtual void getParameterName(VstInt32 /*index*/, char* text) { text[0] = '\0'; }
    virtual bool beginEdit(VstInt32 index);
    virtual bool endEdit(VstInt32 index);

    // Programs
    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgram(VstInt32 program) { curProgram = program; }
    virtual void setProgramName(char* /*name*/) {}
    virtual void getProgramName(char* name) { name[0] = '\0'; }

    // State
    virtual VstInt32 getChunk(void** data, bool isPreset = false);
    virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset = false);

    // Processing
    virtual void setSampleRate(float sampleRate) { this->sampleRate = sampleRate; }
    virtual void setBlockSize(VstInt32 blockSize) { this->blockSize = blockSize; }
    virtual void suspend() {}
    virtual void resume() {}
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double**, double**, VstInt32) {}
    float getSampleRate() const { return sampleRate; }

    // Host callback; 0 when the host gave none.
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);

    AEffEditor* getEditor() const { return editor.get(); }

protected:
    void setEditor(std::unique_ptr<AEffEditor> newEditor);
    void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
    void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
    void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
    void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
    void canProcessReplacing(bool state = true);
    void programsAreChunks(bool state = true);

    audioMasterCallback audioMaster;
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 1024;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 curProgram = 0;
    AEffect cEffect{};
    // Owned; deleted by this layer after the derived effect is gone.
    std::unique_ptr<AEffEditor> editor;
};
