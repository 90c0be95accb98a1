#pragma once

// Conversions of the normalised meter settings that are not time grids:
// reference levels, over detection and the mid scaling of MS metering.

#include "base/ParameterSteps.h"
#include "base/RelaxedValue.h"

namespace conversions {

// Normalised value with NaN and out-of-range values moved to the nearest end.
inline float usable(float value) { return param::clampUnit(value); }
using param::threeState;
inline bool switchOn(float value) { return param::twoState(value) != 0; }

// A reference level in dB as a gain and its inverse.
struct Reference {
    double db;
    double gain;
    double inverse;
};
// The same, set from the parameter thread and read by the audio thread and
// the editor; each part is read on its own.
struct SharedReference {
    SharedReference& operator=(const Reference& reference)
    {
        db = reference.db;
        gain = reference.gain;
        inverse = reference.inverse;
        return *this;
    }

    RelaxedValue<double> db{0.0};
    RelaxedValue<double> gain{1.0};
    RelaxedValue<double> inverse{1.0};
};
// RMS: -20.0..+10.0 dB in 0.1 dB steps.
Reference rmsReference(float value);
// VU and PPM: -24..0 dB, continuous; the 0.05 of the dB-to-gain step is
// applied in single precision as these meters always did.
Reference continuousReference(float value);

// Samples in a row that make an over: 1..10.
int overSampleCount(float value);
// The M scaling of MS metering: x1, x0.708 or x0.5 (S is never scaled).
double midScale(float value);

// RMS over threshold on levels relative to the reference: the table entry,
// or with the LED reference the same entry relative to full scale.
double rmsOverThreshold(float thresholdValue, bool fullScale, double inverseReference);
// VU and PPM: a fixed level above the reference, or -3, -1 or 0 dBFS.
double choiceOverThreshold(float choiceValue, double aboveReference, double inverseReference);

constexpr double kVuOverAboveReference = 2.51188643150958;    // +8 dB
constexpr double kPpmOverAboveReference = 2.5556419010641385;  // +8.15 dB

}  // namespace conversions
