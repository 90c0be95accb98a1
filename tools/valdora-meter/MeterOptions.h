#pragma once

// The command line of valdora-meter: one file read on one meter as its panel
// shows it over time, the demo without a file, or a delivery check of many
// files on every meter with loudness, JSON, plots and pass/fail limits.

#include "tools/valdora-meter/DeliveryLimits.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace valdorameter {

// A command line that cannot be run; the message says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct MeterOptions {
    static constexpr int kDefaultBlockFrames = 512;
    static constexpr double kDefaultIntervalMs = 100.0;
    static constexpr double kDefaultDemoRateHz = 44100.0;

    int meter = 0;  // 0 VU, 1 RMS, 2 PPM, as the "Meter" parameter numbers them
    bool precise = false;
    bool midSide = false;
    int holdMode = 0;  // 0 off, 1 infinite, 2 on
    int lagMs = 0;
    std::vector<std::pair<int, float>> settings;  // --set, applied last, in order
    int blockFrames = kDefaultBlockFrames;
    double intervalMs = kDefaultIntervalMs;
    std::string csvPath;
    std::string renderPath;  // PNG of the editor at the end; empty: none
    double renderScale = 1.0;  // device pixels per editor pixel of that PNG: 1, 1.5 or 2
    std::optional<double> demoRateHz;
    std::string audioPath;  // the one file of a single-meter run; empty: the built-in demo
    bool help = false;

    // The delivery check.
    std::vector<std::string> audioPaths;  // every file named, in order
    std::vector<int> meters;               // meters to report, in VU, RMS, PPM order
    std::string jsonPath;                  // "-": standard output
    std::string plotPath;                  // a PNG for one file, else a folder
    int jobs = 0;                          // files metered at once; 0: one per core
    bool summary = false;
    DeliveryLimits limits;

    // Any file count but one, or any option of the delivery check, meters
    // every file on every chosen meter instead of printing readings.
    bool delivery() const;
    // --meter's list, or all three when it was not given.
    std::vector<int> chosenMeters() const;

    // Throws UsageError for an unknown option, a missing or bad value, a
    // combination that does not go together or an output that is an input.
    static MeterOptions parse(const std::vector<std::string>& arguments);
    static const char* usage();
};

}  // namespace valdorameter
