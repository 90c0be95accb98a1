#pragma once

// The delivery check as JSON: one object per file in a stable schema (see
// the README and the manual page). Levels in dB: peaks in dBFS and dBTP,
// loudness in LUFS and LU, meter maxima in dB relative to the meter's
// reference, which is given in dBFS. A level with no value (silence) is null.

#include "tools/valdora-meter/DeliveryLimits.h"
#include "tools/valdora-meter/FileMeasurement.h"

#include <ostream>
#include <string>
#include <vector>

namespace valdorameter {

struct FileVerdict {
    FileMeasurement measurement;
    std::vector<std::string> failures;
    std::string plotPath;  // the PNG written for the file; empty: none
};

void writeJsonReport(std::ostream& out, const std::vector<FileVerdict>& files, const DeliveryLimits& limits);

}  // namespace valdorameter
