#pragma once

// The effect's parameter index space. The host sees 0..63; the commands and
// the meter settings above it are reached only from inside the plug-in.

#include "base/VstInterface.h"

namespace param {

constexpr VstInt32 kProcess = 0;
constexpr VstInt32 kTrim = 1;
constexpr VstInt32 kSettingsSource = 2;
constexpr VstInt32 kMeter = 3;
constexpr VstInt32 kMidSide = 4;
constexpr VstInt32 kHold = 5;
constexpr VstInt32 kShowStrips = 6;
constexpr VstInt32 kShowFilters = 7;
constexpr VstInt32 kProcessFilters = 8;
constexpr VstInt32 kHighPassStatus = 9;
constexpr VstInt32 kHighPassSlope = 10;
constexpr VstInt32 kHighPassFrequency = 11;
constexpr VstInt32 kLowPassStatus = 12;
constexpr VstInt32 kLowPassSlope = 13;
constexpr VstInt32 kLowPassFrequency = 14;
constexpr VstInt32 kShowLabel = 15;
constexpr VstInt32 kLagTime = 16;

constexpr VstInt32 kNumControls = 17;     // 0..16 carry a name, a display and properties
constexpr VstInt32 kNumHostParams = 64;   // 17..63 are reserved slots
constexpr float kReservedValue = 0.5f;

}  // namespace param

constexpr VstInt32 kParamStoreGlobalSettings = 65;
constexpr VstInt32 kParamClearOvers = 67;
constexpr VstInt32 kParamLabelChanged = 69;

namespace param {

// The meter settings; their defaults, wheel steps and display texts are in
// MeterSettingsTable. "Over run" is the number of samples that make an over,
// "over reference" the level above which a sample counts.
constexpr VstInt32 kRmsReference = 72;
constexpr VstInt32 kRmsIntegration = 73;
constexpr VstInt32 kRmsMeanSquareTime = 74;
constexpr VstInt32 kRmsHoldTime = 75;
constexpr VstInt32 kRmsReturnTime = 76;
constexpr VstInt32 kRmsMidAttenuation = 77;
constexpr VstInt32 kRmsOverRun = 78;
constexpr VstInt32 kRmsOverReference = 79;
constexpr VstInt32 kRmsPrecise = 80;
constexpr VstInt32 kRmsOverReferenceUnit = 81;  // reference-relative or full-scale overs
constexpr VstInt32 kVuReference = 83;
constexpr VstInt32 kVuIntegration = 84;
constexpr VstInt32 kVuHoldTime = 85;
constexpr VstInt32 kVuNeedleType = 86;
constexpr VstInt32 kVuMidAttenuation = 87;
constexpr VstInt32 kVuBacklight = 88;
constexpr VstInt32 kVuOverRun = 89;
constexpr VstInt32 kVuOverReference = 90;
constexpr VstInt32 kVuPrecise = 91;
constexpr VstInt32 kPpmReference = 93;
constexpr VstInt32 kPpmIntegration = 94;
constexpr VstInt32 kPpmHoldTime = 95;
constexpr VstInt32 kPpmReturnTime = 96;
constexpr VstInt32 kPpmMidAttenuation = 97;
constexpr VstInt32 kPpmOverRun = 98;
constexpr VstInt32 kPpmOverReference = 99;
constexpr VstInt32 kPpmPrecise = 100;

constexpr VstInt32 kFirstRmsSetting = kRmsReference;
constexpr VstInt32 kLastRmsSetting = kRmsOverReferenceUnit;
constexpr VstInt32 kFirstVuSetting = kVuReference;
constexpr VstInt32 kLastVuSetting = kVuPrecise;
constexpr VstInt32 kFirstPpmSetting = kPpmReference;
constexpr VstInt32 kLastPpmSetting = kPpmPrecise;
constexpr VstInt32 kHighestIndex = kLastPpmSetting;

constexpr bool isRmsSetting(VstInt32 i) { return i >= kFirstRmsSetting && i <= kLastRmsSetting; }
constexpr bool isVuSetting(VstInt32 i) { return i >= kFirstVuSetting && i <= kLastVuSetting; }
constexpr bool isPpmSetting(VstInt32 i) { return i >= kFirstPpmSetting && i <= kLastPpmSetting; }
constexpr bool isMeterSetting(VstInt32 i) { return isRmsSetting(i) || isVuSetting(i) || isPpmSetting(i); }
constexpr bool isControl(VstInt32 i) { return i >= 0 && i < kNumControls; }
constexpr bool isReserved(VstInt32 i) { return i >= kNumControls && i < kNumHostParams; }

// Longest parameter text ("Instance") with its terminator; no name or
// display is ever longer.
constexpr int kTextSize = 9;

// The meter settings in chunk order: RMS, then VU, then PPM.
template <typename Fn>
void forEachMeterSetting(Fn&& fn)
{
    for (VstInt32 i = kFirstRmsSetting; i <= kLastRmsSetting; ++i)
        fn(i);
    for (VstInt32 i = kFirstVuSetting; i <= kLastVuSetting; ++i)
        fn(i);
    for (VstInt32 i = kFirstPpmSetting; i <= kLastPpmSetting; ++i)
        fn(i);
}

}  // namespace param
