#include "controls/CHelpHintLabel.h"

#include "base/ParameterIds.h"

#include <array>

namespace VSTGUI {
namespace {

// Tags of views that edit no parameter directly.
constexpr int32_t kTrimTextTag = 68;
constexpr int32_t kHighPassTextTag = 70;
constexpr int32_t kLowPassTextTag = 71;
constexpr int32_t kManualButtonTag = 121;

constexpr int32_t kLeftArrowZone = 0;
constexpr int32_t kRightArrowZone = 1;

// What a click on an arrow would select, indexed [zone][current meter].
constexpr std::array<std::array<const char*, 3>, 2> kMeterArrowTexts{{
    {"Changes current meter to PPM3", "Changes current meter to VU3", "Changes current meter to RMS3"},
    {"Changes current meter to RMS3", "Changes current meter to PPM3", "Changes current meter to VU3"},
}};

const char* openOrClose(float value, const char* whenClosed, const char* whenOpen)
{
    return value <= 0.5f ? whenClosed : whenOpen;
}

const char* meterSelectorText(float value, const int32_t* zone)
{
    if (!zone || (*zone != kLeftArrowZone && *zone != kRightArrowZone))
        return "";
    const float scaled = value * 2.f + 0.5f;
    if (!(scaled >= 0.f))  // below zero or not a number
        return "";
    const auto meter = static_cast<std::size_t>(scaled);
    if (meter >= 3)
        return "";
    return kMeterArrowTexts[static_cast<std::size_t>(*zone)][meter];
}

}  // namespace

CHelpHintLabel::CHelpHintLabel(const CRect& size) : CTextLabel(size, "") {}

void CHelpHintLabel::showHint(int32_t tag, float value, const int32_t* zone)
{
    setText(hintText(tag, value, zone));
    setDirty(true);
}

const char* CHelpHintLabel::hintText(int32_t tag, float value, const int32_t* zone)
{
    switch (tag) {
    case param::kProcess:
        return "Activates the Trim and FILTERS";
    case param::kTrim:
    case kTrimTextTag:
        return "Click PROCESS to activate the Trim";
    case param::kMeter:
        return meterSelectorText(value, zone);
    case param::kShowStrips:
        return openOrClose(value, "Shows Strips", "Hides Strips");
    case param::kShowFilters:
        return openOrClose(value, "Opens FILTERS editor", "Closes FILTERS editor");
    case param::kShowLabel:
        return openOrClose(value, "Opens LABEL editor", "Closes LABEL editor");
    case param::kFirstRmsSetting:
        return "Click and drag to adjust RMS reference level";
    case param::kFirstVuSetting:
        return "Click and drag to adjust VU reference level";
    case param::kFirstPpmSetting:
        return "Click and drag to adjust PPM reference level";
    case kManualButtonTag:
        return "Click to open the manual";
    case kHighPassTextTag:
    case kLowPassTextTag:
        return "Click PROCESS to activate FILTERS";
    default:
        break;
    }
    if (tag >= param::kProcessFilters && tag <= param::kLowPassFrequency)
        return "Click PROCESS to activate FILTERS";
    return "";
}

}  // namespace VSTGUI
