#include "presets/CPresetSystemEffect.h"

#include <cstring>

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
    if (!name)
        return;
    Name& entry = names_[0];
    const size_t length = strnlen(name, kNameSize - 1);
    entry.fill('\0');
    std::memcpy(entry.data(), name, length);
}

void CPresetSystemEffect::copyOut(const Name& entry, char* text)
{
    const size_t length = strnlen(entry.data(), kNameSize - 1);
    std::memcpy(text, entry.data(), length);
    text[length] = '\0';
}

void CPresetSystemEffect::getProgramName(char* name)
{
    if (name)
        copyOut(names_[0], name);
}

bool CPresetSystemEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text)
{
    if (!text || index < 0 || index >= kNumNames)
        return false;
    copyOut(names_[index], text);
    return true;
}
