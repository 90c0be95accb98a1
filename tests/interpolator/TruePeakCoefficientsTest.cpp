#include "meters/TruePeakCoefficients.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using truepeak::kHalfPhase;
using truepeak::kPhaseTaps;
using truepeak::kQuarterPhases;
using Phase = std::array<double, kPhaseTaps>;

double sum(const Phase& phase)
{
    double total = 0.0;
    for (const double tap : phase)
        total += tap;
    return total;
}

// The reference taps are given to six digits; the design has to land within 1e-3.
constexpr double kTellingTolerance = 1e-3;

TEST(TruePeakCoefficients, EveryPhasePassesDirectCurrentAtUnityGain)
{
    for (const Phase& phase : kQuarterPhases)
        EXPECT_NEAR(sum(phase), 1.0, 1e-12);
    EXPECT_NEAR(sum(kHalfPhase), 1.0, 1e-12);
}

TEST(TruePeakCoefficients, HalfPhasesAreSymmetricAndOuterQuarterPhasesMirrorEachOther)
{
    for (int k = 0; k < kPhaseTaps; ++k) {
        const int mirror = kPhaseTaps - 1 - k;
        EXPECT_EQ(kQuarterPhases[1][k], kQuarterPhases[1][mirror]) << "tap " << k;
        EXPECT_EQ(kHalfPhase[k], kHalfPhase[mirror]) << "tap " << k;
        EXPECT_EQ(kQuarterPhases[0][k], kQuarterPhases[2][mirror]) << "tap " << k;
    }
}

TEST(TruePeakCoefficients, QuarterSetHitsTheReferenceTaps)
{
    const std::array<double, 8> middle28to35 = {-0.0882875, 0.125416, -0.211058, 0.636236,
                                                0.636236,   -0.211058, 0.125416, -0.0882875};
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(kQuarterPhases[1][28 + i], middle28to35[i], kTellingTolerance) << "tap " << 28 + i;

    const Phase& late = kQuarterPhases[2];
    EXPECT_NEAR(late[32], 0.900181, kTellingTolerance);
    EXPECT_NEAR(late[31], 0.299699, kTellingTolerance);
    EXPECT_NEAR(late[33], -0.179386, kTellingTolerance);
    for (int k = 0; k < kPhaseTaps; ++k)
        EXPECT_LE(std::fabs(late[k]), late[32]) << "tap 32 is the largest, tap " << k;
}

TEST(TruePeakCoefficients, HalfSetHitsTheReferenceTaps)
{
    EXPECT_NEAR(kHalfPhase[31], 0.6357317598066, kTellingTolerance);
    // A millionth: only a relative measure tells a right far tap from a wrong one.
    EXPECT_NEAR(kHalfPhase[0] / -9.527392564188e-7, 1.0, kTellingTolerance);
}

}  // namespace
