#include "platform/Clock.h"

#include <windows.h>

#include <atomic>

namespace platform {

namespace {

// The counter's rate is fixed at boot. Read on first use (which may come from
// another library-load initialiser, or two threads at once: both read the
// same value), then kept whole.
std::atomic<double> countsPerMs{0.0};

}  // namespace

double systemMonotonicMs()
{
    double perMs = countsPerMs.load(std::memory_order_relaxed);
    if (perMs <= 0.0) {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        perMs = static_cast<double>(frequency.QuadPart) / 1000.0;
        countsPerMs.store(perMs, std::memory_order_relaxed);
    }
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / perMs;
}

}  // namespace platform
