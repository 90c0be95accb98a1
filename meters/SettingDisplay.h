#pragma once

// Display texts of the meter settings: a number with its unit directly
// after it ("0.0dBFS", "10ms", "1.00s"). text must hold 16 characters.

#include "base/NumberFormat.h"

#include <cstring>

namespace settingdisplay {

constexpr int kTextSize = 16;

inline void write(double value, int decimals, const char* unit, char* text)
{
    char number[numfmt::kNumberTextSize];
    formatNumber(value, decimals, number);
    std::strcpy(text, number);
    std::strcat(text, unit);
}

}  // namespace settingdisplay
