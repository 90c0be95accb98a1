#include "core/NumberFormat.h"

#include "core/TextCopy.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kTotalChars = 8;
// Room for any long long the formats could print, before the text is cut.
constexpr int kScratchSize = 48;         // sign, digits and point
constexpr double kHalfTolerance = 0.49999;
constexpr double kMaxNegative = 9999999.0;
constexpr double kMaxPositive = 99999999.0;
// Guards digit extraction against a binary fraction landing just below a digit.
constexpr double kDigitEpsilon = 1e-9;

int digitCount(long long n)
{
    int count = 1;
    while (n >= 10) {
        n /= 10;
        ++count;
    }
    return count;
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

    // Round half away from zero; later steps truncate.
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    const double whole = std::trunc(scaled);
    if (scaled - whole >= kHalfTolerance)
        value = (scaled + 1.0) / scale;
    else if (scaled - whole <= -kHalfTolerance)
        value = (scaled - 1.0) / scale;

    const bool negative = value < 0.0;
    const double magnitude = std::fabs(value);
    if ((negative && magnitude > kMaxNegative) || (!negative && magnitude > kMaxPositive))
        return;

    const auto integerPart = static_cast<long long>(magnitude);
    const int signChars = negative ? 1 : 0;
    const int integerChars = digitCount(integerPart) + signChars;
    const int roomForFraction = kTotalChars - integerChars - 1;
    const int kept = roomForFraction < decimals ? roomForFraction : decimals;

    if (kept <= 0) {
        // No fractional digit survives: a point only when decimals asked for one and it fits.
        const bool point = decimals > 0 && integerChars < kTotalChars;
        char scratch[kScratchSize];
        std::snprintf(scratch, sizeof scratch, "%s%lld%s", negative ? "-" : "", integerPart, point ? "." : "");
        copyText(text, numfmt::kNumberTextSize, scratch);
        return;
    }
    const double fraction = magnitude - static_cast<double>(integerPart);
    const long long limit = static_cast<long long>(std::pow(10.0, kept));
    long long digits = static_cast<long long>(fraction * static_cast<double>(limit) + kDigitEpsilon);
    if (digits >= limit)
        digits = limit - 1;
    char scratch[kScratchSize];
    std::snprintf(scratch, sizeof scratch, "%s%lld.%0*lld", negative ? "-" : "", integerPart, kept, digits);
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
