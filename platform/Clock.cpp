#include "platform/Clock.h"

#include <ctime>

namespace platform {

double systemMonotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) * 1e-6;
}

}  // namespace platform
