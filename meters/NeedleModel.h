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
        const double y = sections_[current_].step(u, state_);
        const double limitedY = y < -kLargestFloat ? -kLargestFloat : (y > kLargestFloat ? kLargestFloat : y);
        const double needle = static_cast<float>(limitedY);
        const double p = needle < 0.0 ? 0.0 : (needle > 1.0 ? 1.0 : needle);
        current_ = static_cast<int>(15.0 * p + 0.5);
        return needle;
    }

    int currentSection() const { return current_; }

private:
    // Keeps the float rounding finite for absurd but finite inputs.
    static constexpr double kLargestFloat = 3.4028234663852886e38;

    std::array<NeedleSection, kSections> sections_;
    NeedleSection::State state_;
    int current_ = 0;
};
