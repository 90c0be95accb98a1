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

    // The section for the next sample: the needle limited to 0..1.
    static int sectionFor(double needle)
    {
        const double p = needle < 0.0 ? 0.0 : (needle > 1.0 ? 1.0 : needle);
        return static_cast<int>(kLastSection * p + 0.5);
    }

    // The smallest needle value that sectionFor puts in section k or above
    // (-inf for 0, +inf for kSections): section k holds the needles from
    // sectionStart(k) up to, not including, sectionStart(k + 1).
    static double sectionStart(int k) { return kSectionStarts[k]; }

private:
    // Steps two models at once with this model's rules.
    friend class NeedlePair;

    static constexpr double kLastSection = kSections - 1;

    // Keeps the float rounding finite for absurd but finite inputs.
    static constexpr double kLargestFloat = 3.4028234663852886e38;

    // The needle value: the filter output rounded to single precision.
    static double rounded(double y)
    {
        const double limitedY = y < -kLargestFloat ? -kLargestFloat : (y > kLargestFloat ? kLargestFloat : y);
        return static_cast<float>(limitedY);
    }

    static const std::array<double, kSections + 1> kSectionStarts;

    std::array<NeedleSection, kSections> sections_;
    NeedleSection::State state_;
    int current_ = 0;
};
