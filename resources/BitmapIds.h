#pragma once

// The numbers of the library's PNG resources, as the resource script
// (resources.rc) gives them, and their sizes and frame counts. The editor,
// its controls and the artwork generator all name images by these.

#include <array>

// PNG resources of the library. Multi-frame images stack their frames vertically.
namespace bitmap {

constexpr int kMeterCount = 3;  // 0 VU, 1 RMS, 2 PPM, as parameter 3 numbers them

enum Id : int {
    kManualButton = 989,             // 10 x 42, 3 frames: normal, hover, pressed
    kFrameBackground = 10000,        // also the VU front panel
    kVuFrontPanel = 10000,
    kTrimHandle = 10001,             // 32 x 19
    kProcessButton = 10002,          // 43 x 28, 2 frames
    kKnobFilmStrip = 10003,          // 43 x 2091, 51 frames
    kVuLrMsSwitch = 10005,           // 87 x 48, 2 frames
    kVuHoldSwitch = 10006,           // 86 x 72, 3 frames
    kTapePen = 10008,                // 47 x 33
    kFrontCalibration = 10010,       // 86 x 33, 3 frames
    kFrontReferenceCaption = 10013,  // 133 x 22, frame 0 used
    kBackCalibration = 10014,        // 581 x 33, 3 frames
    kMeterSelector = 10015,          // 149 x 69, 3 frames
    kCalibrationSentence = 10016,    // 586 x 33, 3 frames
    kFilterInOutButton = 10020,      // 31 x 90, 3 frames
    kFilterOnButton = 10021,         // 36 x 24, 2 frames
    kFilterFrequencyHandle = 10024,  // 19 x 32
    kOpenCloseButton = 10025,        // 11 x 22, 2 frames
    kLabelStripCaption = 10100,      // 27 x 11
    kFilterStripCaption = 10102,     // 33 x 11
    kFilterStripLamp = 10103,        // 12 x 36, 3 frames
    kVuFilterStrip = 31000,          // 586 x 53
    kFilterSlopeSwitch = 31001,      // 29 x 48, 2 frames
    kRmsFilterStrip = 31100,
    kPpmFilterStrip = 31200,
    kVuLabelStrip = 34000,           // 586 x 39
    kLagTimeControl = 34001,         // 26 x 120, 3 layers
    kRmsLabelStrip = 34100,
    kPpmLabelStrip = 34200,
    kVuBackPanel = 40000,            // 586 x 261
    kVuTypeSwitch = 40001,           // 65 x 82, 2 frames
    kVuMidAttenuationSwitch = 40002, // 70 x 123, 3 frames
    kVuMeasureSwitch = 40003,        // 54 x 194, 2 frames
    kVuScale = 40007,                // 250 x 610, 5 frames (backlight steps)
    kOverLed = 40008,                // 20 x 60, 3 frames
    kVuLeftCaption = 40011,          // 66 x 38, 2 frames
    kVuRightCaption = 40012,
    kVuCompactStrip = 40100,         // 586 x 13
    kRmsBackPanel = 41000,
    kRmsFrontPanel = 41001,          // 586 x 169
    kRmsLedReferenceUnitSwitch = 41003,  // 54 x 114, 2 frames
    kRmsLrMsSwitch = 41005,
    kRmsHoldSwitch = 41006,
    kRmsMeasureSwitch = 41007,
    kRmsMidAttenuationSwitch = 41008,
    kRmsLeftCaption = 41011,
    kRmsRightCaption = 41012,
    kRmsCompactStrip = 41100,
    kPpmBackPanel = 42000,           // 585 x 261
    kPpmFrontPanel = 42001,
    kPpmMidAttenuationSwitch = 42003,  // 70 x 201, 3 frames
    kPpmLrMsSwitch = 42005,
    kPpmHoldSwitch = 42006,
    kPpmMeasureSwitch = 42007,
    kPpmLeftCaption = 42011,
    kPpmRightCaption = 42012,
    kPpmCompactStrip = 42100,
};

// The same role for each meter, indexed 0 VU, 1 RMS, 2 PPM.
using PerMeter = std::array<Id, kMeterCount>;
constexpr PerMeter kFrontPanel{kVuFrontPanel, kRmsFrontPanel, kPpmFrontPanel};
constexpr PerMeter kBackPanel{kVuBackPanel, kRmsBackPanel, kPpmBackPanel};
constexpr PerMeter kLrMsSwitch{kVuLrMsSwitch, kRmsLrMsSwitch, kPpmLrMsSwitch};
constexpr PerMeter kHoldSwitch{kVuHoldSwitch, kRmsHoldSwitch, kPpmHoldSwitch};
constexpr PerMeter kLeftCaption{kVuLeftCaption, kRmsLeftCaption, kPpmLeftCaption};
constexpr PerMeter kRightCaption{kVuRightCaption, kRmsRightCaption, kPpmRightCaption};
constexpr PerMeter kCompactStrip{kVuCompactStrip, kRmsCompactStrip, kPpmCompactStrip};
constexpr PerMeter kFilterStrip{kVuFilterStrip, kRmsFilterStrip, kPpmFilterStrip};
constexpr PerMeter kLabelStrip{kVuLabelStrip, kRmsLabelStrip, kPpmLabelStrip};
constexpr PerMeter kMeasureSwitch{kVuMeasureSwitch, kRmsMeasureSwitch, kPpmMeasureSwitch};
}  // namespace bitmap
