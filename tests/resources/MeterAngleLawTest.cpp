// The needle angle laws that both the views and the printed scales use.

#include "editor/EditorGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace editor;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(RmsAngleLaw, ScaleEndsAndDecibelSlope)
{
    EXPECT_NEAR(rmsAngleDegrees(std::pow(10.0F, 6.0F / 20.0F)), 38.96, 0.01);
    EXPECT_NEAR(rmsAngleDegrees(0.01F), 138.08, 0.01);  // -40 dB
    EXPECT_NEAR(rmsAngleDegrees(1.0F), 138.08 - 40.0 * 99.12 / 46.0, 0.01);
}

TEST(RmsAngleLaw, LowEndIsCompressedAndLimited)
{
    // 1e-4 (-80 dB) squeezes to about -44.1 dB, 147 degrees, beyond the 145 degree stop.
    EXPECT_NEAR(rmsAngleDegrees(1e-4F), 145.0, 1e-6);
    // -45 dB: compressed to about -40.5 dB, still inside the stop.
    const double degrees = rmsAngleDegrees(std::pow(10.0F, -45.0F / 20.0F));
    EXPECT_GT(degrees, 138.08);
    EXPECT_LT(degrees, 145.0);
    EXPECT_NEAR(rmsAngleDegrees(32.0F), 34.0, 1e-6);
}

TEST(RmsAngleLaw, SilenceAndGarbageRestOnTheStop)
{
    EXPECT_NEAR(rmsAngleDegrees(0.0F), 145.0, 1e-6);
    EXPECT_NEAR(rmsAngleDegrees(-1.0F), 145.0, 1e-6);
    EXPECT_NEAR(rmsAngleDegrees(kNaN), 145.0, 1e-6);
}

TEST(PpmAngleLaw, ReferenceAndSixDecibelsAbove)
{
    EXPECT_NEAR(ppmAngleDegrees(1.0F), 89.7, 0.05);
    EXPECT_NEAR(ppmAngleDegrees(2.0F), 67.1, 0.05);
    EXPECT_NEAR(ppmAngleDegrees(0.5F) - ppmAngleDegrees(1.0F), 6.0206 * 3.75, 0.01);
}

TEST(PpmAngleLaw, LimitedToThirtyAndOneHundredFiftyDegrees)
{
    EXPECT_NEAR(ppmAngleDegrees(32.0F), 30.0, 1e-9);
    EXPECT_NEAR(ppmAngleDegrees(1e-4F), 150.0, 1e-9);
    EXPECT_NEAR(ppmAngleDegrees(0.0F), 150.0, 1e-9);
    EXPECT_NEAR(ppmAngleDegrees(kNaN), 150.0, 1e-9);
}

TEST(VuAngleLaw, RestFullScaleAndBelowRest)
{
    EXPECT_NEAR(vuAngleDegrees(0.0F), 136.5, 1e-6);
    EXPECT_NEAR(vuAngleDegrees(1.44F), 45.5, 1e-4);
    EXPECT_NEAR(vuAngleDegrees(-0.05F), 139.66, 0.05);
    EXPECT_LT(vuAngleDegrees(1.5F), 45.5);  // not limited
    // 0 VU (reading 1.0) on the power law: t = (1/1.44)^1.2.
    EXPECT_NEAR(vuAngleDegrees(1.0F), 136.5 - 91.0 * std::pow(1.0 / 1.44, 1.2), 1e-4);
    EXPECT_NEAR(vuAngleDegrees(kNaN), 136.5, 1e-6);
}

TEST(NeedleGeometry, PointIsCentredOnThePivotPixel)
{
    const NeedlePoint up = needlePoint(kVuView, kPi / 2.0, 134.0);
    EXPECT_NEAR(up.x, 128.5, 1e-9);
    EXPECT_NEAR(up.y, 155.5 - 134.0, 1e-9);
    const NeedlePoint right = needlePoint(kRmsView, 0.0, 10.0);
    EXPECT_NEAR(right.x, 136.5, 1e-9);
    EXPECT_NEAR(right.y, 150.3, 1e-9);
}

TEST(KnobFrames, PointerTurnsThroughTwoHundredSeventyDegrees)
{
    EXPECT_DOUBLE_EQ(back::knobFrameDegrees(0), -135.0);
    EXPECT_DOUBLE_EQ(back::knobFrameDegrees(25), 0.0);
    EXPECT_DOUBLE_EQ(back::knobFrameDegrees(50), 135.0);
}

}  // namespace
