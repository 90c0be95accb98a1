#pragma once

// One valdora-meter run: builds the effect in-process, sets it up from the
// options, feeds it the file or the demo block by block and reports a panel
// reading at every interval.

#include "tools/valdora-meter/MeterOptions.h"

#include <ostream>

namespace valdorameter {

enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 2,
    kExitFile = 4,
};

// Throws vsthost::HostError for an unreadable audio file and
// std::runtime_error for an unwritable CSV file.
int runMeter(const MeterOptions& options, std::ostream& out);

}  // namespace valdorameter
