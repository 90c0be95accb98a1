#include "base/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::string number(double value, int decimals)
{
    char text[numfmt::kNumberTextSize] = "garbage";
    formatNumber(value, decimals, text);
    return text;
}

std::string frequency(double hz)
{
    char text[numfmt::kFrequencyTextSize] = "garbage";
    formatFrequency(hz, text);
    return text;
}

TEST(FormatNumber, RoundsHalfAwayFromZeroAndCutsAtTheDecimals)
{
    EXPECT_EQ(number(0.0, 1), "0.0");
    EXPECT_EQ(number(-20.0, 1), "-20.0");
    EXPECT_EQ(number(37.6, 0), "38");
    EXPECT_EQ(number(37.4, 0), "37");
    EXPECT_EQ(number(2.5, 0), "3");
    EXPECT_EQ(number(-2.5, 0), "-3");
    EXPECT_EQ(number(12.5, 1), "12.5");
    EXPECT_EQ(number(0.05, 1), "0.1");
    EXPECT_EQ(number(1.234, 2), "1.23");
    EXPECT_EQ(number(9.996, 2), "10.00");
}

TEST(FormatNumber, KeepsEightCharactersAtMost)
{
    EXPECT_EQ(number(1234567.25, 2), "1234567.");
    EXPECT_EQ(number(12345678.0, 0), "12345678");
    EXPECT_EQ(number(-1234567.0, 0), "-1234567");
    EXPECT_EQ(number(99999999.0, 0), "99999999");
    EXPECT_EQ(number(123456789.0, 0), "");
    EXPECT_EQ(number(-12345678.0, 0), "");
}

TEST(FormatNumber, WritesNothingForNonFiniteValues)
{
    EXPECT_EQ(number(std::numeric_limits<double>::quiet_NaN(), 1), "");
    EXPECT_EQ(number(std::numeric_limits<double>::infinity(), 1), "");
}

// Every trim step the parameter can produce reads back as its own tenth of a
// decibel, although k * 0.1 - 20 is rarely exact in binary.
TEST(FormatNumber, EveryTrimStepShowsItsOwnTenth)
{
    for (int step = 0; step <= 400; ++step) {
        const double db = step * 0.1 - 20.0;
        const int tenths = step - 200;
        const int whole = std::abs(tenths) / 10;
        const int tenth = std::abs(tenths) % 10;
        const std::string expected = (tenths < 0 ? "-" : "") + std::to_string(whole) + "." + std::to_string(tenth);
        EXPECT_EQ(number(db, 1), expected) << "step " << step;
    }
}

TEST(FormatFrequency, UsesDecimalsBelowOneKilohertzAndKNotationAbove)
{
    EXPECT_EQ(frequency(20.0), "20.0");
    EXPECT_EQ(frequency(150.0), "150");
    EXPECT_EQ(frequency(1500.0), "1k5");
    EXPECT_EQ(frequency(1250.0), "1k25");
    EXPECT_EQ(frequency(1050.0), "1k05");
    EXPECT_EQ(frequency(12500.0), "12k5");
    EXPECT_EQ(frequency(30000.0), "30k");
    EXPECT_EQ(frequency(2000.0), "2k");
    EXPECT_EQ(frequency(5.5), "5.50");
    EXPECT_EQ(frequency(999.4), "999");
    EXPECT_EQ(frequency(12340.0), "12k3");
}

}  // namespace
