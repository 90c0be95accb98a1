#include "core/GainGlide.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

float glideOneStep(GainGlide& glide)
{
    const float in = 1.0f;
    float left = 0.0f;
    float right = 0.0f;
    glide.process(&in, &in, &left, &right, 1);
    return left;
}

TEST(GainGlide, OneSampleAt44100MovesOneTwoThousandthOfTheWay)
{
    GainGlide glide;
    glide.setSampleRate(44100.0);
    glide.setTarget(2.0f);
    EXPECT_FLOAT_EQ(glideOneStep(glide), 1.0005f);
    EXPECT_FLOAT_EQ(glide.current(), 1.0005f);
}

TEST(GainGlide, JumpAppliesTheTargetFromTheFirstSample)
{
    GainGlide glide;
    glide.setSampleRate(44100.0);
    glide.setTarget(1.9952623f);
    glide.jumpToTarget();
    EXPECT_EQ(glideOneStep(glide), 1.9952623f);
}

// About 45 ms to 1/e of the way left, whatever the rate.
TEST(GainGlide, TimeConstantDoesNotDependOnTheRate)
{
    for (double rate : {44100.0, 48000.0, 96000.0, 192000.0}) {
        GainGlide glide;
        glide.setSampleRate(rate);
        glide.setTarget(0.0f);
        const int frames = static_cast<int>(rate * 0.045351);
        std::vector<float> in(static_cast<size_t>(frames), 1.0f);
        std::vector<float> out(in.size());
        glide.process(in.data(), in.data(), out.data(), out.data(), frames);
        EXPECT_NEAR(glide.current(), std::exp(-1.0), 2e-3) << rate;
    }
}

TEST(GainGlide, LeftIsWrittenBeforeRightSoSharedOutputsCarryTheRight)
{
    GainGlide glide;
    const float left[] = {1.0f, 2.0f};
    const float right[] = {-3.0f, -4.0f};
    float shared[2] = {};
    glide.process(left, right, shared, shared, 2);
    EXPECT_EQ(shared[0], -3.0f);
    EXPECT_EQ(shared[1], -4.0f);
}

TEST(GainGlide, NonFiniteAudioDoesNotReachTheGain)
{
    GainGlide glide;
    glide.setSampleRate(44100.0);
    glide.setTarget(0.5f);
    const float in[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 1.0f};
    float out[3] = {};
    glide.process(in, in, out, out, 3);
    EXPECT_TRUE(std::isfinite(glide.current()));
    EXPECT_TRUE(std::isfinite(out[2]));
    EXPECT_LT(glide.current(), 1.0f);
}

// The flush settles a gain gliding to zero far below audibility but never
// lets it sink into denormals, which would slow every later sample.
TEST(GainGlide, GlideTowardZeroNeverBecomesDenormal)
{
    GainGlide glide;
    glide.setSampleRate(44100.0);
    glide.setTarget(0.0f);
    std::vector<float> in(200000, 1.0f);
    std::vector<float> out(in.size());
    glide.process(in.data(), in.data(), out.data(), out.data(), static_cast<int>(in.size()));
    EXPECT_LT(std::fabs(glide.current()), 1e-15f);
    EXPECT_NE(std::fpclassify(glide.current()), FP_SUBNORMAL);
}

}  // namespace
