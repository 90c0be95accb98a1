#include "meters/NeedleModel.h"

#include <cmath>
#include <limits>

namespace {

std::array<double, NeedleModel::kSections + 1> sectionStarts(int (*sectionFor)(double))
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    std::array<double, NeedleModel::kSections + 1> starts{};
    starts[0] = -kInfinity;
    starts[NeedleModel::kSections] = kInfinity;
    for (int k = 1; k < NeedleModel::kSections; ++k) {
        // Walk from the nominal boundary to the exact double where the
        // rounding in sectionFor moves to k.
        double start = (k - 0.5) / (NeedleModel::kSections - 1);
        while (sectionFor(start) >= k)
            start = std::nextafter(start, -kInfinity);
        while (sectionFor(start) < k)
            start = std::nextafter(start, kInfinity);
        starts[k] = start;
    }
    return starts;
}

}  // namespace

const std::array<double, NeedleModel::kSections + 1> NeedleModel::kSectionStarts = sectionStarts(&NeedleModel::sectionFor);

NeedleModel::NeedleModel()
{
    constexpr double kInitialRate = 44100.0;
    constexpr double kInitialFrequencyHz = 1.5003750937734435;
    constexpr double kInitialDamping = 0.53;
    for (NeedleSection& section : sections_)
        section.design(kInitialRate, kInitialFrequencyHz, kInitialDamping);
}

void NeedleModel::design(double frequencyHz, double restDamping, double fullDamping)
{
    for (int k = 0; k < kSections; ++k)
        sections_[k].setFrequency(frequencyHz, restDamping - k * (restDamping - fullDamping) / (kSections - 1));
}

void NeedleModel::setSampleRate(double sampleRate)
{
    for (NeedleSection& section : sections_)
        section.setSampleRate(sampleRate);
}
