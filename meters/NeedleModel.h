#pragma once

// A moving-coil needle: 16 low-pass sections whose damping runs from the
// rest value d0 (section 0) to the full-deflection value d1 (section 15); the
// needle's own deflection picks the section for the next sample.

#include "meters/NeedleSection.h"

#include <array>

class NeedleModel {
public:
    static constexpr int kSections = 16;

    NeedleModel();

    // Designs every section for the natural frequency and the damping range.
    void design(double frequencyHz, double restDamping, double fullDamping);
    void setSampleRate(double sampleRate);

    // The needle value for input u, rounded to single precision and not
    // limited; only the section choice uses it limited to 0..1.
    double step(double u)
    {
        const double needle = rounded(sections_[current_].step(u, state_));
        current_ = sectionFor(needle);
        return needle;
    }

    int currentSection() const { return current_; }

    // The model's moving parts in locals for one block, stepped exactly as
    // step() does: the filter state and the chosen section's offset stay in
    // registers. The section's coefficients are read through a pointer that
    // only a change of section (rare, a predicted branch) moves, so their
    // loads stay off each sample's dependency chain without holding five
    // more registers. finish() hands everything back to the model.
    class Running {
    public:
        explicit Running(NeedleModel& model)
            : model_(model),
              state_(model.state_),
              current_(model.current_),
              coefficients_(&model.sections_[current_].coefficients()),
              offset_(model.sections_[current_].offset())
        {
        }

        double step(double u)
        {
            const double needle = rounded(NeedleSection::step(*coefficients_, offset_, u, state_));
            const int next = sectionFor(needle);
            if (next != current_) {
                model_.sections_[current_].setOffset(offset_);
                current_ = next;
                coefficients_ = &model_.sections_[next].coefficients();
                offset_ = model_.sections_[next].offset();
            }
            return needle;
        }

        void finish()
        {
            model_.sections_[current_].setOffset(offset_);
            model_.current_ = current_;
            model_.state_ = state_;
        }

    private:
        NeedleModel& model_;
        NeedleSection::State state_;
        int current_;
        const NeedleSection::Coefficients* coefficients_;
        double offset_;
    };

private:
    // Keeps the float rounding finite for absurd but finite inputs.
    static constexpr double kLargestFloat = 3.4028234663852886e38;

    // The needle value: the filter output rounded to single precision.
    static double rounded(double y)
    {
        const double limitedY = y < -kLargestFloat ? -kLargestFloat : (y > kLargestFloat ? kLargestFloat : y);
        return static_cast<float>(limitedY);
    }

    // The section for the next sample: the needle limited to 0..1.
    static int sectionFor(double needle)
    {
        const double p = needle < 0.0 ? 0.0 : (needle > 1.0 ? 1.0 : needle);
        return static_cast<int>(15.0 * p + 0.5);
    }

    std::array<NeedleSection, kSections> sections_;
    NeedleSection::State state_;
    int current_ = 0;
};
