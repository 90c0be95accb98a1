#pragma once

// The preset layer under the effect: one host-visible program and a small
// table of program names. The effect's settings travel in its chunk, not in
// programs, so selecting a program changes nothing.

#include "core/AudioEffectX.h"
#include "core/LockedText.h"

#include <array>

class CPresetSystemEffect : public AudioEffectX {
public:
    static constexpr int kNumNames = 3;
    static constexpr int kNameSize = kVstMaxProgNameLen;  // terminator included

    CPresetSystemEffect(audioMasterCallback audioMaster, VstInt32 numParams);

    VstInt32 getProgram() override { return 0; }
    void setProgram(VstInt32 /*program*/) override {}
    // Keeps at most kNameSize - 1 characters, always terminated.
    void setProgramName(char* name) override;
    // Writes at most kNameSize bytes.
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

private:
    // The host may name the program on one thread while it reads it on another.
    std::array<LockedText<kNameSize>, kNumNames> names_;
};
