#pragma once

// Number-to-text for every display of the plug-in: the parameter texts the
// host shows and the editor's value readouts use the same two routines.

namespace numfmt {

// Longest text formatNumber writes, terminator included: sign, digits and
// point make at most 8 characters.
constexpr int kNumberTextSize = 9;
// formatFrequency adds the "k" to at most 8 characters of digits.
constexpr int kFrequencyTextSize = 16;

}  // namespace numfmt

// Writes value rounded half away from zero to `decimals` places (0..7);
// writes an empty text when the value has too many integer digits.
void formatNumber(double value, int decimals, char* text);

// Frequencies in Hz: "20.0", "150", "1k5", "1k25", "12k5", "30k".
void formatFrequency(double frequency, char* text);
