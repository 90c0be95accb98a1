#pragma once

// The two channels' needle models stepped together, one per lane, for one
// block: the filter states, the chosen sections' offsets and coefficients
// live in registers, and only a change of section (rare, a predicted
// branch) goes back to the models. Stepped exactly as NeedleModel::step does
// for each channel; finish() hands everything back. Everything is inline on
// purpose: an out-of-line call on this object would make the compiler keep
// the filter state in memory, and the store and reload would sit on every
// sample's dependency chain.

#include "meters/NeedleModel.h"
#include "meters/StereoLanes.h"

class NeedlePair {
public:
    NeedlePair(NeedleModel& left, NeedleModel& right) : left_(left), right_(right)
    {
        const NeedleSection::State& l = left.state_;
        const NeedleSection::State& r = right.state_;
        x1_ = lanes::Pair{l.x1, r.x1};
        x2_ = lanes::Pair{l.x2, r.x2};
        y1_ = lanes::Pair{l.y1, r.y1};
        y2_ = lanes::Pair{l.y2, r.y2};
        currentL_ = left.current_;
        currentR_ = right.current_;
        offset_ = lanes::Pair{left.sections_[currentL_].offset(), right.sections_[currentR_].offset()};
        loadSections();
    }

    // Needle values for the drive inputs u, rounded to single precision.
    lanes::Pair step(lanes::Pair u)
    {
        using lanes::Pair;
        offset_ = -offset_;
        const Pair xin = u + offset_;
        const Pair y = b0_ * xin + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        y2_ = y1_;
        x2_ = x1_;
        x1_ = xin;
        y1_ = y + offset_;
        const Pair needle = rounded(y);
        // The chosen sections' needle ranges, rather than the section index
        // computed anew each sample: two compares instead of six steps.
        if (__builtin_expect(lanes::anyOutside(needle, start_, end_), 0))
            changeSections(needle);
        return needle;
    }

    void finish()
    {
        handBack(left_, currentL_, offset_[0], {x1_[0], x2_[0], y1_[0], y2_[0]});
        handBack(right_, currentR_, offset_[1], {x1_[1], x2_[1], y1_[1], y2_[1]});
    }

private:
    static lanes::Pair rounded(lanes::Pair y)
    {
        using lanes::Pair;
        const Pair top = lanes::splat(NeedleModel::kLargestFloat);
        const Pair limited = lanes::greater(-top, lanes::lesser(top, y));
        return lanes::roundedToFloat(limited);
    }

    // A needle crossed into another section: it takes over the filter
    // state, and each section keeps its own offset phase. Lanes are named by
    // constants throughout: a lane picked by a variable would force the
    // vectors into memory for the whole loop.
    void changeSections(lanes::Pair needle)
    {
        const double offsetL = switchedOffset(left_, currentL_, NeedleModel::sectionFor(needle[0]), offset_[0]);
        const double offsetR = switchedOffset(right_, currentR_, NeedleModel::sectionFor(needle[1]), offset_[1]);
        offset_ = lanes::Pair{offsetL, offsetR};
        loadSections();
    }

    static double switchedOffset(NeedleModel& model, int& current, int next, double offset)
    {
        if (current == next)
            return offset;
        model.sections_[current].setOffset(offset);
        current = next;
        return model.sections_[next].offset();
    }

    void loadSections()
    {
        const NeedleSection::Coefficients& l = left_.sections_[currentL_].coefficients();
        const NeedleSection::Coefficients& r = right_.sections_[currentR_].coefficients();
        a1_ = lanes::Pair{l.a1, r.a1};
        a2_ = lanes::Pair{l.a2, r.a2};
        b0_ = lanes::Pair{l.b0, r.b0};
        b1_ = lanes::Pair{l.b1, r.b1};
        b2_ = lanes::Pair{l.b2, r.b2};
        start_ = lanes::Pair{NeedleModel::sectionStart(currentL_), NeedleModel::sectionStart(currentR_)};
        end_ = lanes::Pair{NeedleModel::sectionStart(currentL_ + 1), NeedleModel::sectionStart(currentR_ + 1)};
    }

    static void handBack(NeedleModel& model, int current, double offset, const NeedleSection::State& state)
    {
        model.sections_[current].setOffset(offset);
        model.current_ = current;
        model.state_ = state;
    }

    NeedleModel& left_;
    NeedleModel& right_;
    lanes::Pair x1_, x2_, y1_, y2_;
    lanes::Pair offset_;
    lanes::Pair a1_, a2_, b0_, b1_, b2_;
    lanes::Pair start_, end_;
    int currentL_;
    int currentR_;
};
