#pragma once

// The effect as valdora-meter runs it: a host callback that answers what the
// effect asks for, the options applied as parameters, and the chosen meter's
// reference level.

#include "core/Templete.h"
#include "tools/valdora-meter/MeterOptions.h"

namespace valdorameter {

VstIntPtr toolHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* pointer, float opt);

// Selects `meter` (0 VU, 1 RMS, 2 PPM) and applies the options common to
// every meter; --set values come last.
void configureEffect(Templete& effect, const MeterOptions& options, int meter);

double referenceDb(Templete& effect);

}  // namespace valdorameter
