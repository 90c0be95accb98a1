#include "meters/NeedleModel.h"

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
