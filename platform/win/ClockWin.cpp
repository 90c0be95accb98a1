#include "platform/Clock.h"

#include <windows.h>

namespace platform {

namespace {

// The counter's rate is fixed at boot. Read on first use (which may come from
// another library-load initialiser), a plain double written whole.
double countsPerMs = 0.0;

}  // namespace

double monotonicMs()
{
    if (countsPerMs <= 0.0) {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        countsPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    }
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / countsPerMs;
}

}  // namespace platform
