#include "presets/CPresetSystemEffect.h"

namespace {

constexpr VstInt32 kOneProgram = 1;

}  // namespace

CPresetSystemEffect::CPresetSystemEffect(audioMasterCallback audioMaster, VstInt32 numParams)
    : AudioEffectX(audioMaster, kOneProgram, numParams)
{
    programsAreChunks(true);
}

void CPresetSystemEffect::setProgramName(char* name)
{
    if (name)
        names_[0].set(name);
}

void CPresetSystemEffect::getProgramName(char* name)
{
    names_[0].copyTo(name);
}

bool CPresetSystemEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text)
{
    if (!text || index < 0 || index >= kNumNames)
        return false;
    names_[static_cast<size_t>(index)].copyTo(text);
    return true;
}
