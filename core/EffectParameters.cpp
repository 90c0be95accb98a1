#include "core/EffectParameters.h"

#include "base/NumberFormat.h"
#include "base/TextCopy.h"
#include "core/ParameterMapping.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::array<const char*, param::kNumControls> kNames = {
    "Process", "Trim",   "GSIcal", "Meter",   "LR/MS",  "Hold",    "Strips",  "ShowFlt", "ProcFlt",
    "HPStat",  "HPSlope", "HPFreq", "LPStat", "LPSlope", "LPFreq", "ShowLbl", "LagTime",
};

constexpr const char* kUndefined = "UNDEF";
constexpr int kShortLabelChars = 7;

void writeText(char* text, const char* source)
{
    copyText(text, param::kTextSize, source);
}

const char* pick(int state, std::initializer_list<const char*> texts)
{
    if (state < 0 || state >= static_cast<int>(texts.size()))
        return kUndefined;
    return texts.begin()[state];
}

bool isInUnitRange(float value)
{
    return value >= 0.0f && value <= 1.0f;
}

void writeFrequency(float value, float hz, char* text)
{
    if (!isInUnitRange(value)) {
        writeText(text, kUndefined);
        return;
    }
    char number[numfmt::kFrequencyTextSize];
    formatFrequency(hz, number);
    writeText(text, number);
}

struct StepSet {
    VstInt32 flags;
    float step;
    float smallStep;
    float largeStep;
};

constexpr StepSet kSwitchSteps{kVstParameterIsSwitch | kVstParameterUsesFloatStep, 1.0f, 1.0f, 1.0f};
constexpr StepSet kTrimLikeSteps{kVstParameterUsesFloatStep, 1.0f / 41.0f, 1.0f / 401.0f, 1.0f / 41.0f};
constexpr StepSet kThreeStateSteps{kVstParameterUsesFloatStep, 0.5f, 0.5f, 0.5f};
constexpr StepSet kDelaySteps{kVstParameterUsesFloatStep, 1.0f / 99.9f, 1.0f / 999.0f, 1.0f / 99.9f};

StepSet stepsFor(VstInt32 index)
{
    switch (index) {
    case param::kTrim:
    case param::kHighPassFrequency:
    case param::kLowPassFrequency:
        return kTrimLikeSteps;
    case param::kSettingsSource:
    case param::kMeter:
    case param::kHold:
        return kThreeStateSteps;
    case param::kLagTime:
        return kDelaySteps;
    default:
        return kSwitchSteps;
    }
}

}  // namespace

EffectParameters::EffectParameters()
{
    for (VstInt32 i = param::kNumControls; i < param::kNumHostParams; ++i)
        values_[i].store(param::kReservedValue, std::memory_order_relaxed);
}

float EffectParameters::value(VstInt32 index) const
{
    if (index < 0 || index > param::kHighestIndex)
        return 0.0f;
    return values_[index].load(std::memory_order_relaxed);
}

void EffectParameters::store(VstInt32 index, float clampedValue)
{
    if (param::isControl(index) || param::isMeterSetting(index))
        values_[index].store(clampedValue, std::memory_order_relaxed);
}

void EffectParameters::name(VstInt32 index, char* text)
{
    writeText(text, param::isControl(index) ? kNames[index] : "");
}

void EffectParameters::display(VstInt32 index, const DisplaySources& sources, char* text) const
{
    const float x = value(index);
    char number[numfmt::kNumberTextSize];
    switch (index) {
    case param::kProcess:
        return writeText(text, pick(param::twoState(x), {"Off", "On"}));
    case param::kTrim:
    {
        formatNumber(param::trimDbFromValue(x), 1, number);
        char withUnit[numfmt::kNumberTextSize + 2];
        std::snprintf(withUnit, sizeof withUnit, "%sdB", number);
        return writeText(text, withUnit);
    }
    case param::kSettingsSource:
        return writeText(text, pick(param::threeState(x), {"Global", "Session", "Instance"}));
    case param::kMeter:
        return writeText(text, pick(param::threeState(x), {"VU3", "RMS3", "PPM3"}));
    case param::kMidSide:
        return writeText(text, pick(param::twoState(x), {"LR", "MS"}));
    case param::kHold:
        return writeText(text, pick(param::threeState(x), {"Off", "oo", "On"}));
    case param::kShowStrips:
    case param::kShowFilters:
    case param::kShowLabel:
        return writeText(text, pick(param::twoState(x), {"Hide", "Show"}));
    case param::kProcessFilters:
    case param::kHighPassStatus:
    case param::kLowPassStatus:
        return writeText(text, pick(param::twoState(x), {"Out", "In"}));
    case param::kHighPassSlope:
        return writeText(text, pick(param::twoState(x), {"12", "24"}));
    case param::kLowPassSlope:
        return writeText(text, pick(param::twoState(x), {"6", "18"}));
    case param::kHighPassFrequency:
        return writeFrequency(x, sources.highPassHz, text);
    case param::kLowPassFrequency:
        return writeFrequency(x, sources.lowPassHz, text);
    case param::kLagTime:
    {
        char delay[16];
        std::snprintf(delay, sizeof delay, "%d ms", sources.delayMs);
        return writeText(text, delay);
    }
    default:
        return writeText(text, "");
    }
}

bool EffectParameters::properties(VstInt32 index, VstParameterProperties* properties)
{
    if (!properties || !param::isControl(index))
        return false;
    const StepSet steps = stepsFor(index);
    std::memset(properties, 0, sizeof(*properties));
    properties->flags = steps.flags;
    properties->stepFloat = steps.step;
    properties->smallStepFloat = steps.smallStep;
    properties->largeStepFloat = steps.largeStep;
    copyText(properties->label, sizeof(properties->label), kNames[index]);
    copyText(properties->shortLabel, kShortLabelChars + 1, kNames[index]);
    return true;
}
