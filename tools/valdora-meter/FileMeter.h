#pragma once

// One pass over one file: the chosen meters as the plug-in runs them, sample
// and true peak, and loudness, all from the same decoded blocks.

#include "tools/valdora-meter/FileMeasurement.h"
#include "tools/valdora-meter/MeterOptions.h"

#include <atomic>
#include <mutex>
#include <string>

namespace valdorameter {

struct MeterProgress {
    std::atomic<long long> framesDone{0};
    std::atomic<long long> framesTotal{0};
};

// Never throws for a bad file: an unreadable, empty or truncated one comes
// back with readable false and the reason. `setupLock` serialises building
// and removing the effects, which share the process's meter settings.
FileMeasurement measureFile(const std::string& path, const MeterOptions& options, std::mutex& setupLock,
                            MeterProgress& progress);

}  // namespace valdorameter
