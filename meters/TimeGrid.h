#pragma once

// The knob grid of the time settings: a normalised value picks one of 81
// knob positions (quarter steps f = 0..20), a few positions are nudged onto
// round times, and f maps exponentially onto the time range. The knob
// product is single precision on purpose: a stored position p x 0.0125 has to
// give back p when applied again, and 80 x 0.65f only does so in float.

namespace timegrid {

constexpr int kLastPosition = 80;

// trunc(80 v), limited to 0..80.
int position(float value);
// trunc(80 v + 0.5), limited to 0..80.
int roundedPosition(float value);
// The normalised value a position is kept as in a settings set.
float storedValue(int position);

// Grid A: 101^(f/20) - 1 ms, 0..100 ms (integration times).
double gridAMs(int position);
// Grid B: 100 x 100^(f/20) ms, 100 ms..10 s (hold, return, mean square).
double gridBMs(int position);

}  // namespace timegrid
