#pragma once

// The delivery check over many files: each file metered in one pass, files
// in parallel (-j), results printed in the order given, JSON and plots
// written, and the exit status of the whole check.

#include "tools/valdora-meter/MeterOptions.h"

#include <ostream>

namespace valdorameter {

enum DeliveryExit : int {
    kDeliveryPass = 0,
    kDeliveryFail = 1,        // a file broke a limit
    kDeliveryUnreadable = 2,  // a file could not be read; the others were checked
    kDeliveryOutput = 4,      // the JSON or a plot could not be written
};

// `out` takes the summaries (standard error instead when the JSON goes to
// standard output); `err` the unreadable files and output problems.
int runDelivery(const MeterOptions& options, std::ostream& out, std::ostream& err);

}  // namespace valdorameter
