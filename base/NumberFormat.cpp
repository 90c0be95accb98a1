#include "base/NumberFormat.h"

#include "base/TextCopy.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kTotalChars = 8;  // sign, digits and point
// Room for any long long the formats could print, before the text is cut.
constexpr int kScratchSize = 48;
constexpr double kHalfTolerance = 0.49999;
constexpr double kMaxNegative = 9999999.0;
constexpr double kMaxPositive = 99999999.0;

int digitCount(long long n)
{
    int count = 1;
    while (n >= 10) {
        n /= 10;
        ++count;
    }
    return count;
}

long long powerOfTen(int exponent)
{
    long long result = 1;
    while (exponent-- > 0)
        result *= 10;
    return result;
}

}  // namespace

void formatNumber(double value, int decimals, char* text)
{
    text[0] = '\0';
    if (!std::isfinite(value))
        return;
    if (decimals < 0)
        decimals = 0;
    if (decimals > kTotalChars - 1)
        decimals = kTotalChars - 1;

    // Round half away from zero, then truncate. The digits are counted in
    // whole units of the last decimal taken from the scaled value itself:
    // re-deriving them from the rounded double can land a hair below a
    // digit (12.4999999... shown as 12.5 or 0.29999... as 0.2).
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    double units = std::trunc(scaled);
    if (scaled - units >= kHalfTolerance) {
        value = (scaled + 1.0) / scale;
        units += 1.0;
    } else if (scaled - units <= -kHalfTolerance) {
        value = (scaled - 1.0) / scale;
        units -= 1.0;
    }

    const bool negative = value < 0.0;
    const double magnitude = std::fabs(value);
    if ((negative && magnitude > kMaxNegative) || (!negative && magnitude > kMaxPositive))
        return;

    const long long unitScale = powerOfTen(decimals);
    const auto magnitudeUnits = static_cast<long long>(std::fabs(units));
    const long long integerPart = magnitudeUnits / unitScale;
    const long long fractionUnits = magnitudeUnits % unitScale;
    const int integerChars = digitCount(integerPart) + (negative ? 1 : 0);
    const int roomForFraction = kTotalChars - integerChars - 1;
    const int kept = roomForFraction < decimals ? roomForFraction : decimals;

    char scratch[kScratchSize];
    if (kept <= 0) {
        // No fractional digit survives: a point only when decimals asked for one and it fits.
        const bool point = decimals > 0 && integerChars < kTotalChars;
        std::snprintf(scratch, sizeof scratch, "%s%lld%s", negative ? "-" : "", integerPart, point ? "." : "");
    } else {
        const long long digits = fractionUnits / powerOfTen(decimals - kept);
        std::snprintf(scratch, sizeof scratch, "%s%lld.%0*lld", negative ? "-" : "", integerPart, kept, digits);
    }
    copyText(text, numfmt::kNumberTextSize, scratch);
}

void formatFrequency(double frequency, char* text)
{
    text[0] = '\0';
    if (!std::isfinite(frequency))
        return;
    if (frequency < 10.0) {
        formatNumber(frequency, 2, text);
        return;
    }
    if (frequency < 100.0) {
        formatNumber(frequency, 1, text);
        return;
    }
    if (frequency < 1000.0) {
        formatNumber(frequency, 0, text);
        return;
    }
    const int thousands = static_cast<int>(frequency * 0.001);
    const double rest = frequency - thousands * 1000.0;
    const int hundreds = static_cast<int>(rest * 0.01);
    const int tens = static_cast<int>((rest - hundreds * 100) * 0.1);

    char number[numfmt::kNumberTextSize];
    formatNumber(thousands, 0, number);
    std::snprintf(text, numfmt::kFrequencyTextSize, "%sk", number);
    if (hundreds == 0 && tens == 0)
        return;
    size_t length = std::strlen(text);
    text[length++] = static_cast<char>('0' + hundreds);
    text[length] = '\0';
    if (tens == 0 || frequency >= 10000.0)
        return;
    text[length++] = static_cast<char>('0' + tens);
    text[length] = '\0';
}
