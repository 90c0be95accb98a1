#include "tools/valdora-meter/DeliveryLimits.h"

#include "tools/valdora-meter/Decibels.h"
#include "tools/valdora-meter/MeterOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace valdorameter {

namespace {

struct Profile {
    const char* name;
    double targetLufs;
    double toleranceLu;
    double maxTruePeakDbtp;
};

constexpr Profile kProfiles[] = {
    {"ebu-r128", -23.0, 0.5, -1.0},
    {"atsc-a85", -24.0, 2.0, -2.0},
};

constexpr const char* kMeterNames[kMeterCount] = {"VU3", "RMS3", "PPM3"};

double parseLoudnessNumber(const std::string& whole, const std::string& text)
{
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || errno != 0 || *end != '\0' || !std::isfinite(value))
        throw UsageError("--loudness takes TARGET or TARGET+-TOLERANCE in LUFS and LU, not '" + whole + "'");
    return value;
}

std::string format(const char* pattern, double a, double b = 0.0, double c = 0.0)
{
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

}  // namespace

void DeliveryLimits::applyProfile(const std::string& name)
{
    for (const Profile& known : kProfiles) {
        if (name != known.name)
            continue;
        profile = name;
        if (!loudness)
            loudness = LoudnessTarget{known.targetLufs, known.toleranceLu};
        if (!maxTruePeakDbtp)
            maxTruePeakDbtp = known.maxTruePeakDbtp;
        return;
    }
    throw UsageError("--profile takes ebu-r128 or atsc-a85, not '" + name + "'");
}

LoudnessTarget DeliveryLimits::parseLoudness(const std::string& text)
{
    for (const char* separator : {"+-", "\xc2\xb1", "+/-"}) {
        const size_t at = text.find(separator);
        if (at == std::string::npos || at == 0)
            continue;
        const double tolerance = parseLoudnessNumber(text, text.substr(at + std::char_traits<char>::length(separator)));
        if (tolerance < 0.0)
            throw UsageError("--loudness: the tolerance cannot be negative");
        return {parseLoudnessNumber(text, text.substr(0, at)), tolerance};
    }
    return {parseLoudnessNumber(text, text), kDefaultToleranceLu};
}

std::vector<std::string> DeliveryLimits::failures(const FileMeasurement& file) const
{
    std::vector<std::string> failed;
    if (maxTruePeakDbtp) {
        const double truePeakDb = decibels(file.truePeak);
        if (truePeakDb > *maxTruePeakDbtp)
            failed.push_back(format("true peak %+.1f dBTP above %+.1f dBTP", truePeakDb, *maxTruePeakDbtp));
    }
    if (loudness) {
        const double integrated = file.loudness.integratedLufs;
        if (!std::isfinite(integrated))
            failed.push_back("no integrated loudness (silent or too short)");
        else if (std::fabs(integrated - loudness->lufs) > loudness->toleranceLu + 1e-9)
            failed.push_back(format("integrated %.1f LUFS outside %.1f LUFS +-%.1f LU", integrated, loudness->lufs,
                                    loudness->toleranceLu));
    }
    if (maxOvers) {
        for (int meter = 0; meter < kMeterCount; ++meter) {
            const MeterMeasurement& measured = file.meters[static_cast<size_t>(meter)];
            const auto overs = static_cast<int>(measured.overTimesSec.size());
            if (measured.measured && overs > *maxOvers)
                failed.push_back(std::string(kMeterNames[meter]) + " " + std::to_string(overs) + " overs, " +
                                 std::to_string(*maxOvers) + " allowed");
        }
    }
    return failed;
}

}  // namespace valdorameter
