// The engines step both channels as two-lane vectors, built per instruction
// set. These tests hold each two-lane part to the one-channel rules it
// replaces, bit for bit, on signals that reach every branch: new peaks,
// equal values, holds of zero, one and a few samples, every needle section
// in both directions.

#include "meters/BlockDispatch.h"
#include "meters/NeedleHold.h"
#include "meters/NeedleModel.h"
#include "meters/NeedlePair.h"
#include "meters/PeakBallistics.h"
#include "meters/PPMmeter.h"
#include "meters/RMSMeter.h"
#include "meters/VUmeter.h"
#include "tests/meters/FakeEffect.h"
#include "tests/meters/MeterTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using namespace metertest;

namespace {

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A level that rises in steps, holds still (equal values), falls, sits at
// zero and jumps, with noise: new peaks, plateaus and decays all happen.
std::vector<double> wanderingLevel(unsigned seed, int count, double top)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values(count);
    double value = 0.0;
    for (int i = 0; i < count; ++i) {
        const double roll = unit(random);
        if (roll < 0.02)
            value = top * unit(random);  // jump
        else if (roll < 0.04)
            value = 0.0;
        else if (roll < 0.5)
            value *= 0.999;  // fall
        // else: hold still, an exactly equal value
        values[i] = value + (roll > 0.97 ? 0.1 * top * unit(random) : 0.0);
    }
    return values;
}

TEST(StereoKernelTest, SectionStartsAreTheExactDoublesWhereTheSectionChanges)
{
    for (int k = 1; k < NeedleModel::kSections; ++k) {
        const double start = NeedleModel::sectionStart(k);
        EXPECT_EQ(NeedleModel::sectionFor(start), k);
        EXPECT_EQ(NeedleModel::sectionFor(std::nextafter(start, -1.0)), k - 1) << "section " << k;
    }
    EXPECT_EQ(NeedleModel::sectionStart(0), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(NeedleModel::sectionStart(NeedleModel::kSections), std::numeric_limits<double>::infinity());
}

TEST(StereoKernelTest, NeedlePairStepsLikeTwoModels)
{
    for (double rate : {44100.0, 96000.0}) {
        for (int type = 0; type < 2; ++type) {
            const double restDamping = type == 0 ? 0.68 : 0.85;
            const double fullDamping = type == 0 ? 0.55 : 0.43;
            NeedleModel pairLeft, pairRight, left, right;
            for (NeedleModel* m : {&pairLeft, &pairRight, &left, &right}) {
                m->setSampleRate(rate);
                m->design(25.0, restDamping, fullDamping);  // a quick needle crosses sections often
            }
            // Left sweeps the whole scale up and down, right jumps about.
            const int count = static_cast<int>(rate);
            const std::vector<double> jumps = wanderingLevel(7, count, 1.6);
            int sectionChanges = 0;
            for (int start = 0; start < count; start += 97) {
                NeedlePair pair(pairLeft, pairRight);
                for (int i = start; i < std::min(count, start + 97); ++i) {
                    const double sweep = 0.8 + 0.8 * std::sin(2.0 * kPi * 3.0 * i / rate);
                    const int before = left.currentSection();
                    const double expectedL = left.step(sweep);
                    const double expectedR = right.step(jumps[i]);
                    sectionChanges += left.currentSection() != before;
                    const lanes::Pair needle = pair.step(lanes::Pair{sweep, jumps[i]});
                    ASSERT_TRUE(sameBits(needle[0], expectedL)) << "sample " << i << " left";
                    ASSERT_TRUE(sameBits(needle[1], expectedR)) << "sample " << i << " right";
                }
                pair.finish();
                ASSERT_EQ(pairLeft.currentSection(), left.currentSection());
                ASSERT_EQ(pairRight.currentSection(), right.currentSection());
            }
            EXPECT_GE(sectionChanges, 80) << "the sweep must cross every section both ways";
        }
    }
}

TEST(StereoKernelTest, NeedleHoldPairHoldsLikeTheScalarHold)
{
    for (double holdSamples : {0.0, 0.5, 1.0, 1.5, 3.0, 40.0}) {
        const std::vector<double> left = wanderingLevel(11, 20000, 1.4);
        const std::vector<double> right = wanderingLevel(12, 20000, 1.4);
        NeedleHold scalarL, scalarR, pairL, pairR;
        pairR.counter = scalarR.counter = 37;  // a block can start mid-hold
        for (int start = 0; start < 20000; start += 64) {
            NeedleHold::Pair pair(pairL, pairR, holdSamples, 0.01);
            for (int i = start; i < start + 64; ++i) {
                scalarL.step(left[i], holdSamples, 0.01);
                scalarR.step(right[i], holdSamples, 0.01);
                pair.step(lanes::Pair{left[i], right[i]});
                ASSERT_TRUE(sameBits(pair.hold()[0], scalarL.hold)) << "hold " << holdSamples << " sample " << i;
                ASSERT_TRUE(sameBits(pair.hold()[1], scalarR.hold)) << "hold " << holdSamples << " sample " << i;
            }
            pair.handBack(pairL, pairR);
            ASSERT_EQ(pairL.counter, scalarL.counter);
            ASSERT_EQ(pairR.counter, scalarR.counter);
        }
    }
}

TEST(StereoKernelTest, PeakBallisticsPairFollowsLikeTheScalarBallistics)
{
    // Attack faster than release, as the knobs give it, and the reverse.
    const PeakBallistics::Coefficients sets[] = {
        {0.2, 0.001, 0.0}, {0.2, 0.001, 1.0}, {0.2, 0.001, 2.5}, {0.05, 0.3, 50.0}, {1.0, 0.01, 1000.0}};
    for (const PeakBallistics::Coefficients& c : sets) {
        const std::vector<double> left = wanderingLevel(21, 20000, 2.0);
        const std::vector<double> right = wanderingLevel(22, 20000, 2.0);
        PeakBallistics scalarL, scalarR, pairL, pairR;
        for (int start = 0; start < 20000; start += 128) {
            PeakBallistics::Pair pair(pairL, pairR, c);
            for (int i = start; i < start + 128; ++i) {
                scalarL.step(left[i], c);
                scalarR.step(right[i], c);
                pair.step(lanes::Pair{left[i], right[i]});
                ASSERT_TRUE(sameBits(pair.level()[0], scalarL.level)) << "sample " << i;
                ASSERT_TRUE(sameBits(pair.level()[1], scalarR.level)) << "sample " << i;
                ASSERT_TRUE(sameBits(pair.hold()[0], scalarL.hold)) << "hold " << c.holdSamples << " sample " << i;
                ASSERT_TRUE(sameBits(pair.hold()[1], scalarR.hold)) << "hold " << c.holdSamples << " sample " << i;
            }
            pair.handBack(pairL, pairR);
            ASSERT_EQ(pairL.holdCounter, scalarL.holdCounter);
            ASSERT_EQ(pairR.holdCounter, scalarR.holdCounter);
        }
    }
}

TEST(StereoKernelTest, GuardedFramesReadNonFiniteSamplesAsSilence)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float left[] = {0.5f, -inf, nan, 3.4e38f, -0.25f, 1e-40f, inf};
    const float right[] = {nan, 0.125f, -1.0f, inf, -3.4e38f, -0.0f, 2.0f};
    lanes::Pair out[7];
    lanes::guardFrames(left, right, out, 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(sameBits(out[i][0], sampleguard::finiteOrZero(left[i]))) << i;
        EXPECT_TRUE(sameBits(out[i][1], sampleguard::finiteOrZero(right[i]))) << i;
    }
}

#if defined(__x86_64__) && !defined(_WIN32)

// Both builds of each engine's block loop, fed alike, read alike to the bit.
template <class Engine>
void expectSameReadingsFromBothBuilds(Engine& (*pick)(MeterRig&), int preciseId, bool midSide, float lag)
{
    if (!__builtin_cpu_supports("x86-64-v3"))
        GTEST_SKIP() << "this machine runs the baseline build only";
    MeterRig baselineRig;
    MeterRig v3Rig;
    Engine* engines[] = {&pick(baselineRig), &pick(v3Rig)};
    for (Engine* engine : engines) {
        engine->setSampleRate(96000.0f);
        engine->setSetting(preciseId, 1.0f);
        engine->setMidSide(midSide ? 1.0f : 0.0f);
        engine->setDisplayDelay(lag);
        engine->prepare();
    }
    // Loud tones with clipped stretches for overs, noise, silence and NaN.
    std::mt19937 random(5);
    std::normal_distribution<float> noise(0.0f, 0.2f);
    std::vector<float> left(96000), right(96000);
    for (int i = 0; i < 96000; ++i) {
        const double tone = std::sin(2.0 * kPi * 1000.0 * i / 96000.0) * (1.0 + std::sin(2.0 * kPi * 2.0 * i / 96000.0));
        left[i] = (i / 9000) % 3 == 2 ? 0.0f : static_cast<float>(std::fmax(-1.0, std::fmin(1.0, tone))) + noise(random);
        right[i] = static_cast<float>(-0.5 * tone) + noise(random);
    }
    left[4321] = std::numeric_limits<float>::quiet_NaN();
    const MeterReading readings[] = {MeterReading::Level, MeterReading::Hold, MeterReading::MeanSquare};
    for (int round = 0; round < 2; ++round) {
        engines[0]->setSetting(preciseId, round == 0 ? 1.0f : 0.0f);
        engines[1]->setSetting(preciseId, round == 0 ? 1.0f : 0.0f);
        for (int start = 0; start + 333 <= 96000; start += 333) {
            BlockDispatch<Engine>::baseline(*engines[0], left.data() + start, right.data() + start, 333);
            BlockDispatch<Engine>::v3(*engines[1], left.data() + start, right.data() + start, 333);
            for (int channel = 0; channel < 2; ++channel) {
                for (MeterReading reading : readings)
                    ASSERT_TRUE(sameBits(engines[0]->readValue(1.0, reading, channel),
                                         engines[1]->readValue(1.0, reading, channel)))
                        << "block at " << start << " channel " << channel;
                ASSERT_EQ(engines[0]->readOverState(channel), engines[1]->readOverState(channel));
            }
        }
    }
}

TEST(StereoKernelTest, BothBuildsOfTheVuLoopReadAlike)
{
    ProcessSettingsGuard guard;
    expectSameReadingsFromBothBuilds<VUmeter>([](MeterRig& rig) -> VUmeter& { return *rig.vu; }, 91, false, 0.0f);
    expectSameReadingsFromBothBuilds<VUmeter>([](MeterRig& rig) -> VUmeter& { return *rig.vu; }, 91, true, 0.3f);
}

TEST(StereoKernelTest, BothBuildsOfTheRmsLoopReadAlike)
{
    ProcessSettingsGuard guard;
    expectSameReadingsFromBothBuilds<RMSMeter>([](MeterRig& rig) -> RMSMeter& { return *rig.rms; }, 80, false, 0.0f);
    expectSameReadingsFromBothBuilds<RMSMeter>([](MeterRig& rig) -> RMSMeter& { return *rig.rms; }, 80, true, 0.3f);
}

TEST(StereoKernelTest, BothBuildsOfThePpmLoopReadAlike)
{
    ProcessSettingsGuard guard;
    expectSameReadingsFromBothBuilds<PPMmeter>([](MeterRig& rig) -> PPMmeter& { return *rig.ppm; }, 100, false, 0.0f);
    expectSameReadingsFromBothBuilds<PPMmeter>([](MeterRig& rig) -> PPMmeter& { return *rig.ppm; }, 100, true, 0.3f);
}

#endif

}  // namespace
