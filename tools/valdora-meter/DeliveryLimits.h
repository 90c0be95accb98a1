#pragma once

// The pass/fail checks of a delivery: true-peak ceiling, overs allowed per
// meter and an integrated loudness target, set one by one or by a profile.

#include "tools/valdora-meter/FileMeasurement.h"

#include <optional>
#include <string>
#include <vector>

namespace valdorameter {

struct LoudnessTarget {
    double lufs;
    double toleranceLu;
};

struct DeliveryLimits {
    static constexpr double kDefaultToleranceLu = 0.5;

    std::string profile;  // name of the profile the limits came from; empty: none
    std::optional<double> maxTruePeakDbtp;
    std::optional<int> maxOvers;
    std::optional<LoudnessTarget> loudness;

    bool any() const { return maxTruePeakDbtp || maxOvers || loudness; }

    // Fills the limits a profile names that are not set yet, so options
    // given beside a profile win. Throws UsageError for an unknown name.
    void applyProfile(const std::string& name);
    // "-23", "-23+-1", "-23±1" (tolerance in LU). Throws UsageError.
    static LoudnessTarget parseLoudness(const std::string& text);

    // One sentence per failed check; empty when the file passes.
    std::vector<std::string> failures(const FileMeasurement& file) const;
};

}  // namespace valdorameter
