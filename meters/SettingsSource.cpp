#include "meters/SettingsSource.h"

#include <atomic>

namespace {

std::atomic<int> processSource{SettingsSource::kSession};

}  // namespace

int SettingsSource::current()
{
    return processSource.load(std::memory_order_relaxed);
}

void SettingsSource::setCurrent(int source)
{
    processSource.store(source, std::memory_order_relaxed);
}

int SettingsSource::fromNormalised(float value)
{
    if (!(value >= 0.0f))
        value = 0.0f;
    if (value > 1.0f)
        value = 1.0f;
    return static_cast<int>(value * 2.0 + 0.5);
}

const char* SettingsSource::name(int source)
{
    switch (source) {
    case kGlobal:
        return "Global";
    case kSession:
        return "Session";
    case kInstance:
        return "Instance";
    default:
        return "None";
    }
}
