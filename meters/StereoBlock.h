#pragma once

// The sample loop of one block, shared by the three engines: the samples
// guarded (plain mode) or taken with their inter-sample candidates (precise
// mode), mid/side, the over counters and the millisecond clock of the display
// delay. The engine's kernel does the rest of each frame and records its
// readings at each millisecond tick:
//
//   void step(lanes::Pair level, lanes::Pair peak);   // |sample| and |candidate| / reference
//   void record(int position, double timerL, double timerR);
//
// Both channels travel as one two-lane vector. The kernel averages the
// samples themselves; the candidates of precise mode are peaks and feed only
// the peak paths. The block goes in runs: each run's frames are guarded,
// matrixed and scaled first in loops that vectorise, and a run in which no
// peak reaches the over threshold (nearly all of them) skips the counting.

#include "meters/MeterFrame.h"
#include "meters/MidSideMatrix.h"
#include "meters/OverCounter.h"
#include "meters/PreciseRun.h"
#include "meters/StereoLanes.h"

#include <algorithm>
#include <type_traits>

struct OverRule {
    double inverseReference;
    double threshold;
    double runLength;
};

template <class Kernel>
__attribute__((always_inline)) inline void runStereoBlock(MeterFrame& frame, Kernel& kernel, const OverRule& rule,
                                                          const float* left, const float* right, int count)
{
    using lanes::Pair;
    constexpr int kRunFrames = PreciseRun::kFrames;
    const double overStartL = frame.overs[0].blockStart();
    const double overStartR = frame.overs[1].blockStart();
    Pair over{overStartL, overStartR};
    double timerL = frame.overs[0].timer;
    double timerR = frame.overs[1].timer;
    DisplayDelay::Clock clock = frame.delay.clock();

    const double invRef = rule.inverseReference;
    const double overThreshold = rule.threshold;
    const double runLength = rule.runLength;
    const bool precise = frame.precise.load(std::memory_order_relaxed);
    const bool midSide = frame.midSide.enabled();
    const double midScale = frame.midSide.midScale();
    const bool recording = frame.delay.active();

    const auto runFrames = [&](const Pair* levels, const Pair* peaks, int frames, auto countsOvers)
        __attribute__((always_inline)) {
        for (int i = 0; i < frames; ++i) {
            if (countsOvers)
                over = OverCounter::count(over, peaks[i], overThreshold, runLength);
            kernel.step(levels[i], peaks[i]);
            if (recording && clock.tick()) {
                double overL = over[0];
                double overR = over[1];
                OverCounter::tick(overL, timerL, runLength);
                OverCounter::tick(overR, timerR, runLength);
                over = Pair{overL, overR};
                kernel.record(clock.writePosition, timerL, timerR);
            }
        }
    };

    // |x| / reference after mid/side; the largest of them.
    const auto toLevels = [&](Pair* values, int frames) __attribute__((always_inline)) {
        Pair largest = lanes::splat(0.0);
        for (int i = 0; i < frames; ++i) {
            const Pair v = midSide ? MidSideMatrix::apply(values[i], midScale) : values[i];
            values[i] = lanes::absolute(v) * invRef;
            largest = lanes::greater(largest, values[i]);
        }
        return largest;
    };

    alignas(32) Pair levels[kRunFrames];
    alignas(32) Pair peaks[kRunFrames];
    PreciseRun run;
    for (int start = 0; start < count; start += kRunFrames) {
        const int frames = std::min(count - start, kRunFrames);
        Pair largestPeak;
        if (precise) {
            run.fill(left + start, right + start, frames, frame.interpolator);
            for (int i = 0; i < frames; ++i) {
                levels[i] = Pair{run.left[i], run.right[i]};
                peaks[i] = Pair{run.peakLeft[i], run.peakRight[i]};
            }
            toLevels(levels, frames);
            largestPeak = toLevels(peaks, frames);
        } else {
            lanes::guardFrames(left + start, right + start, levels, frames);
            largestPeak = toLevels(levels, frames);
        }
        const Pair* peakLevels = precise ? peaks : levels;
        if (lanes::anyAtOrAbove(largestPeak, overThreshold)) {
            runFrames(levels, peakLevels, frames, std::true_type{});
        } else {
            // Without a peak at the threshold the first frame ends any run
            // short of N; a completed run stays counted until consumed.
            over = OverCounter::count(over, lanes::splat(0.0), 1.0, runLength);
            runFrames(levels, peakLevels, frames, std::false_type{});
        }
    }

    frame.overs[0].publish(overStartL, over[0]);
    frame.overs[1].publish(overStartR, over[1]);
    frame.overs[0].timer = timerL;
    frame.overs[1].timer = timerR;
    frame.delay.setClock(clock);
}
