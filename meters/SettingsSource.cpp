#include "meters/SettingsSource.h"

namespace {

int processSource = SettingsSource::kSession;

}  // namespace

int SettingsSource::current()
{
    return processSource;
}

void SettingsSource::setCurrent(int source)
{
    processSource = source;
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
