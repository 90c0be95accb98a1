#pragma once

// The command line of valdora-meter: options first, then at most one audio file.

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
    std::optional<double> demoRateHz;
    std::string audioPath;  // empty: the built-in demo
    bool help = false;

    // Throws UsageError for an unknown option, a missing or bad value, or a
    // second file.
    static MeterOptions parse(const std::vector<std::string>& arguments);
    static const char* usage();
};

}  // namespace valdorameter
