#include "platform/Clock.h"

#include <atomic>

namespace platform {

namespace {

std::atomic<MsClock> standIn{nullptr};

}  // namespace

double monotonicMs()
{
    const MsClock source = standIn.load(std::memory_order_acquire);
    return source ? source() : systemMonotonicMs();
}

void setMonotonicMsSource(MsClock source)
{
    standIn.store(source, std::memory_order_release);
}

}  // namespace platform
