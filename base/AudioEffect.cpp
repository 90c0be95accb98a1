#include "base/AudioEffect.h"

#include "base/AEffEditor.h"

#include <cstdint>
#include <cstring>

namespace {

AudioEffect* effectOf(AEffect* e)
{
    return e ? static_cast<AudioEffect*>(e->object) : nullptr;
}

extern "C" VstIntPtr dispatchThunk(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt)
{
    AudioEffect* effect = effectOf(e);
    if (!effect)
        return 0;
    const VstIntPtr result = effect->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete effect;
        return 1;
    }
    return result;
}

extern "C" void setParameterThunk(AEffect* e, VstInt32 index, float value)
{
    if (AudioEffect* effect = effectOf(e))
        effect->setParameter(index, value);
}

extern "C" float getParameterThunk(AEffect* e, VstInt32 index)
{
    AudioEffect* effect = effectOf(e);
    return effect ? effect->getParameter(index) : 0.0f;
}

extern "C" void processReplacingThunk(AEffect* e, float** inputs, float** outputs, VstInt32 frames)
{
    if (AudioEffect* effect = effectOf(e))
        effect->processReplacing(inputs, outputs, frames);
}

extern "C" void processDoubleReplacingThunk(AEffect* e, double** inputs, double** outputs, VstInt32 frames)
{
    if (AudioEffect* effect = effectOf(e))
        effect->processDoubleReplacing(inputs, outputs, frames);
}

// A size that does not fit the 32-bit interface must not wrap to a small
// positive one; anything negative stays negative.
VstInt32 chunkByteSize(VstIntPtr value)
{
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < 0)
        return -1;
    return static_cast<VstInt32>(value);
}

// The old accumulating call is not supported: it leaves the outputs as they are.
extern "C" void processAccumulatingThunk(AEffect*, float**, float**, VstInt32) {}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams)
{
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchThunk;
    cEffect.process = processAccumulatingThunk;
    cEffect.setParameter = setParameterThunk;
    cEffect.getParameter = getParameterThunk;
    cEffect.processReplacing = processReplacingThunk;
    cEffect.processDoubleReplacing = processDoubleReplacingThunk;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.version = 1;
}

AudioEffect::~AudioEffect() = default;

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

bool AudioEffect::beginEdit(VstInt32 index)
{
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffect::endEdit(VstInt32 index)
{
    return callHost(audioMasterEndEdit, index) != 0;
}

VstInt32 AudioEffect::getChunk(void** data, bool)
{
    if (data)
        *data = nullptr;
    return 0;
}

VstInt32 AudioEffect::setChunk(void*, VstInt32, bool)
{
    return 0;
}

void AudioEffect::setEditor(std::unique_ptr<AEffEditor> newEditor)
{
    editor = std::move(newEditor);
    if (editor)
        cEffect.flags |= effFlagsHasEditor;
    else
        cEffect.flags &= ~effFlagsHasEditor;
}

void AudioEffect::canProcessReplacing(bool state)
{
    if (state)
        cEffect.flags |= effFlagsCanReplacing;
    else
        cEffect.flags &= ~effFlagsCanReplacing;
}

void AudioEffect::programsAreChunks(bool state)
{
    if (state)
        cEffect.flags |= effFlagsProgramChunks;
    else
        cEffect.flags &= ~effFlagsProgramChunks;
}

// Only the opcodes of the first interface version; the extended layer answers the rest.
VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode) {
    case effSetProgram:
        setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (ptr)
            setProgramName(static_cast<char*>(ptr));
        return 0;
    case effGetProgramName:
        if (ptr)
            getProgramName(static_cast<char*>(ptr));
        return 0;
    case effGetParamLabel:
        if (ptr)
            getParameterLabel(index, static_cast<char*>(ptr));
        return 0;
    case effGetParamDisplay:
        if (ptr)
            getParameterDisplay(index, static_cast<char*>(ptr));
        return 0;
    case effGetParamName:
        if (ptr)
            getParameterName(index, static_cast<char*>(ptr));
        return 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value)
            resume();
        else
            suspend();
        return 0;
    case effEditGetRect:
        if (editor && ptr)
            return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
        return 0;
    case effEditOpen:
        return editor && editor->open(ptr) ? 1 : 0;
    case effEditClose:
        if (editor)
            editor->close();
        return 0;
    case effEditIdle:
        if (editor)
            editor->idle();
        return 0;
    case effGetChunk:
        return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        return setChunk(ptr, chunkByteSize(value), index != 0);
    default:
        return 0;
    }
}
