#pragma once

// Where everything sits in the editor and how a meter reading turns into a
// needle angle. The meter views, the panels and the artwork generator all read
// these figures, so a scale mark printed on a face and the needle that points
// at it can never drift apart. Plain data only: no toolkit types here.

#include "base/ParameterIds.h"
#include "base/Version.h"
#include "controls/ControlLayout.h"
#include "resources/BitmapIds.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace editor {

// Images are named by their resource numbers.
namespace bitmap = ::bitmap;

struct Point {
    int x;
    int y;
};

// left/top inclusive, right/bottom exclusive, as the toolkit's rectangles.
struct Rect {
    int left;
    int top;
    int right;
    int bottom;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
};

constexpr int kMeterCount = bitmap::kMeterCount;
enum class Meter { vu = 0, rms = 1, ppm = 2 };

// ---------------------------------------------------------------- window

constexpr int kEditorWidth = 586;
constexpr int kFrontPanelHeight = 169;
constexpr int kCompactStripHeight = 13;
constexpr int kFilterStripHeight = 53;
constexpr int kLabelStripHeight = 39;
constexpr int kBackPanelHeight = 261;
constexpr int kEditorMaxHeight = kFrontPanelHeight + kFilterStripHeight + kLabelStripHeight;  // 261

// A slider dragged with Shift moves ten times finer.
constexpr float kSliderFineFactor = 0.1F;


// ---------------------------------------------------------------- meter views

// One channel's needle instrument. Every figure is relative to the view's
// top-left corner; the pivot lies below the view, hidden by the panel edge.
struct MeterViewGeometry {
    int width;
    int height;        // VU: includes the cover strip at the bottom
    double pivotX;
    double pivotY;
    float r0;          // needle root
    float r1;          // needle tip
    float r2;          // start of the tip section and of the hold mark
    float r3;          // end of the hold mark
    Rect led;          // over LED
    int coverHeight;   // VU: the bottom strip of the scale drawn over the needle root
};

constexpr MeterViewGeometry kRmsView{250, 116, 126.0, 149.8, 3.0F, 120.0F, 103.0F, 120.0F, {210, 14, 230, 34}, 0};
constexpr MeterViewGeometry kPpmView{250, 116, 126.0, 149.8, 3.0F, 121.0F, 108.0F, 121.0F, {210, 14, 230, 34}, 0};
constexpr MeterViewGeometry kVuView{250, 122, 128.0, 155.0, 3.0F, 134.0F, 121.0F, 134.0F, {181, 90, 201, 110}, 6};

// What the views can show: the panel limits every reading to these before
// writing it, so a needle never leaves its scale's travel.
constexpr float kVuReadingLow = -0.05F;
constexpr float kVuReadingHigh = 1.5F;
constexpr float kLevelReadingLow = 0.0001F;  // RMS and PPM
constexpr float kLevelReadingHigh = 32.0F;
constexpr float kLevelReadingRest = 9.999999974752427e-07F;  // before the first poll

constexpr int kOverLedFrameHeight = 20;
constexpr int kVuScaleFrameHeight = 122;
constexpr int kVuBacklightSteps = 5;

// Top-left corners of the two views inside a front panel.
constexpr Point kLeftViewOrigin{12, 18};
constexpr Point kRightViewOrigin{277, 18};

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerRadian = 180.0 / kPi;

// Needle point for angle a (radians, counter-clockwise from +x) and radius r,
// relative to the same origin as the pivot. The half pixel centres the line.
struct NeedlePoint {
    double x;
    double y;
};
inline NeedlePoint needlePoint(const MeterViewGeometry& g, double angleRad, double radius)
{
    return {g.pivotX + 0.5 + radius * std::cos(angleRad), g.pivotY + 0.5 - radius * std::sin(angleRad)};
}

// RMS view: -40..+6 dB over 138.08..38.96 degrees, the range below -40 dB
// squeezed towards the stop. Computed in single precision like the view.
constexpr double kRmsMinAngleRad = 0.5934119456780721;  // 34 degrees
constexpr double kRmsMaxAngleRad = 2.5307274153917776;  // 145 degrees
inline double rmsAngleRadians(float reading)
{
    if (!(reading > 0.0F))  // silence, or a value that is not a number: rest on the stop
        return kRmsMaxAngleRad;
    const float dB = 20.0F * std::log10(reading);
    float scaledDb = dB;
    if (dB < -40.0F) {
        const float weight = 35.0F * reading;
        scaledDb = (1.0F - weight) * ((dB + 40.0F) * 0.1F - 40.0F) + weight * dB;
    }
    const float degrees = (1.0F - (scaledDb + 40.0F) / 46.0F) * 99.12F + 38.96F;
    const double radians = static_cast<double>(degrees) / kDegreesPerRadian;
    return std::clamp(radians, kRmsMinAngleRad, kRmsMaxAngleRad);
}

// VU view: a slightly non-linear law that puts the full-scale reading 1.44 at
// 45.5 degrees and 0 at 136.5; not limited (the panel limits the reading).
constexpr double kVuRestAngleRad = 2.3823744289722595;
constexpr double kVuSpanRad = 1.5882496193148399;
constexpr double kVuFullScale = 1.44;
inline double vuAngleRadians(float reading)
{
    const double scaled = std::isnan(reading) ? 0.0 : static_cast<double>(reading) / kVuFullScale;
    const double t = scaled <= 0.0 ? scaled : std::pow(scaled, 1.2);
    return kVuRestAngleRad - kVuSpanRad * t;
}

// PPM view: 3.75 degrees per dB, the reference (1.0) at 89.7 degrees,
// limited to 30..150 degrees.
constexpr double kPpmMinAngleRad = kPi / 6.0;
constexpr double kPpmMaxAngleRad = 5.0 * kPi / 6.0;
inline double ppmAngleRadians(float reading)
{
    if (!(reading > 0.0F))
        return kPpmMaxAngleRad;
    const double radians = kPi - 20.0 * std::log10(16.0 * static_cast<double>(reading)) * kPi / 48.0;
    return std::clamp(radians, kPpmMinAngleRad, kPpmMaxAngleRad);
}

inline double rmsAngleDegrees(float reading) { return rmsAngleRadians(reading) * kDegreesPerRadian; }
inline double vuAngleDegrees(float reading) { return vuAngleRadians(reading) * kDegreesPerRadian; }
inline double ppmAngleDegrees(float reading) { return ppmAngleRadians(reading) * kDegreesPerRadian; }

// ---------------------------------------------------------------- front panels

namespace front {
constexpr Point kCalibration{0, 1};
constexpr Point kMeterSelector{195, 144};
constexpr Rect kTrimSlider{538, 17, 538 + 32, 143};  // width of the handle 10001
constexpr int kTrimHandleHeight = 19;                // image 10001
// The slider's handle moves over its rectangle less its own height.
constexpr int kTrimHandleTravel = kTrimSlider.bottom - kTrimSlider.top - kTrimHandleHeight;
constexpr int kTrimRangeDb = 20;                     // -20..+20 dB over the value 0..1
constexpr double trimValue(double dB) { return (dB + kTrimRangeDb) / (2.0 * kTrimRangeDb); }
// Where the handle's centre sits at a value (the maximum is at the top).
constexpr double trimHandleCentreY(double value)
{
    return kTrimSlider.top + (1.0 - value) * kTrimHandleTravel + kTrimHandleHeight / 2.0;
}
constexpr Rect kTrimText{530, 146, 578, 161};
constexpr Point kProcessButton{531, 1};
constexpr Point kStripsButton{574, 1};
constexpr Point kManualButton{505, 0};
constexpr Rect kHintLine{304, 0, 496, 14};
constexpr Point kLrMsSwitch{8, 144};
constexpr Rect kLeftCaption{104, 146, 170, 165};
constexpr Rect kRightCaption{369, 146, 435, 165};
constexpr Point kHoldSwitch{442, 144};
constexpr Point kReferenceControl{96, 1};
using controllayout::kMeterSelectorArrowWidth;
using controllayout::kReferenceTextInsetLeft;
using controllayout::kReferenceTextInsetRight;
}  // namespace front

// ---------------------------------------------------------------- back panels

namespace back {
constexpr Point kCalibration{0, 1};
constexpr int kCalibrationNarrowWidth = 86;   // strips shown: the letters and the mode name
constexpr int kCalibrationWideWidth = 581;    // strips hidden: the whole sentence
constexpr int kCalibrationHeight = 11;
constexpr Rect kCalibrationSentence{0, 180, 586, 191};

constexpr int kKnobWidth = 43;
constexpr int kKnobHeight = 41;
constexpr int kKnobFrames = 51;
constexpr double kKnobStartDegrees = -135.0;  // frame 0, clockwise from straight up
constexpr double kKnobTravelDegrees = 270.0;  // frame 0 to frame 50

// Pointer angle of a knob frame, in degrees clockwise from straight up.
constexpr double knobFrameDegrees(int frame)
{
    return kKnobStartDegrees + kKnobTravelDegrees * frame / (kKnobFrames - 1);
}

// How a knob's value is presented, which fixes what the panel prints around it.
enum class KnobKind {
    plain,           // continuous; value text below
    rmsLedReference, // 7 positions
    rmsOvers,        // 10 positions
    vuPpmOvers,      // 10 positions
    vuPpmLedReference,  // 4 positions
    vuBacklight,     // 5 positions
};

struct Knob {
    int tag;
    Point origin;
    KnobKind kind;
    Rect label;  // value text of plain knobs; zero-sized for the others
};

// How far a knob moves per pixel and per notch, by kind.
struct KnobFeel {
    float dragRange;        // thousands of pixels for the whole range
    float fineDivisor;
    float wheelFineFactor;
};
constexpr KnobFeel kPlainKnobFeel{0.2F, 10.0F, 0.1F};
constexpr KnobFeel kSteppedKnobFeel{0.1F, 1.0F, 1.0F};
constexpr KnobFeel knobFeel(KnobKind kind) { return kind == KnobKind::plain ? kPlainKnobFeel : kSteppedKnobFeel; }

struct Switch {
    int tag;
    Rect rect;
    bitmap::Id image;
    int frames;  // 3: mid attenuation switch; 2: on/off button with the directional wheel
};

constexpr Rect kNoLabel{0, 0, 0, 0};

constexpr std::array<Knob, 7> kRmsKnobs{{
    {param::kRmsReference, {54, 35}, KnobKind::plain, {44, 77, 106, 91}},
    {param::kRmsMeanSquareTime, {147, 35}, KnobKind::plain, {143, 76, 195, 90}},
    {param::kRmsIntegration, {24, 113}, KnobKind::plain, {18, 154, 70, 168}},
    {param::kRmsHoldTime, {118, 113}, KnobKind::plain, {114, 154, 166, 168}},
    {param::kRmsReturnTime, {213, 113}, KnobKind::plain, {208, 154, 260, 168}},
    {param::kRmsOverReference, {434, 35}, KnobKind::rmsLedReference, kNoLabel},
    {param::kRmsOverRun, {498, 113}, KnobKind::rmsOvers, kNoLabel},
}};
constexpr std::array<Switch, 3> kRmsSwitches{{
    {param::kRmsMidAttenuation, {223, 50, 293, 91}, bitmap::kRmsMidAttenuationSwitch, 3},
    {param::kRmsOverReferenceUnit, {474, 28, 528, 85}, bitmap::kRmsLedReferenceUnitSwitch, 2},
    {param::kRmsPrecise, {532, 12, 586, 109}, bitmap::kRmsMeasureSwitch, 2},
}};
constexpr Rect kRmsVersion{293, 86, 403, 100};

constexpr std::array<Knob, 6> kVuKnobs{{
    {param::kVuReference, {24, 36}, KnobKind::plain, {14, 79, 76, 93}},
    {param::kVuIntegration, {105, 35}, KnobKind::plain, {100, 78, 152, 92}},
    {param::kVuHoldTime, {64, 111}, KnobKind::plain, {59, 153, 111, 167}},
    {param::kVuBacklight, {195, 35}, KnobKind::vuBacklight, kNoLabel},
    {param::kVuOverReference, {434, 35}, KnobKind::vuPpmLedReference, kNoLabel},
    {param::kVuOverRun, {475, 111}, KnobKind::vuPpmOvers, kNoLabel},
}};
constexpr std::array<Switch, 3> kVuSwitches{{
    {param::kVuMidAttenuation, {215, 127, 285, 168}, bitmap::kVuMidAttenuationSwitch, 3},
    {param::kVuNeedleType, {140, 127, 205, 168}, bitmap::kVuTypeSwitch, 2},
    {param::kVuPrecise, {532, 12, 586, 109}, bitmap::kVuMeasureSwitch, 2},
}};
constexpr Rect kVuVersion{290, 86, 400, 100};

constexpr std::array<Knob, 6> kPpmKnobs{{
    {param::kPpmReference, {24, 36}, KnobKind::plain, {14, 79, 76, 93}},
    {param::kPpmIntegration, {137, 35}, KnobKind::plain, {133, 78, 184, 92}},
    {param::kPpmHoldTime, {80, 111}, KnobKind::plain, {75, 154, 127, 168}},
    {param::kPpmReturnTime, {192, 111}, KnobKind::plain, {188, 154, 240, 168}},
    {param::kPpmOverReference, {418, 35}, KnobKind::vuPpmLedReference, kNoLabel},
    {param::kPpmOverRun, {475, 111}, KnobKind::vuPpmOvers, kNoLabel},
}};
constexpr std::array<Switch, 2> kPpmSwitches{{
    {param::kPpmMidAttenuation, {200, 36, 270, 103}, bitmap::kPpmMidAttenuationSwitch, 3},
    {param::kPpmPrecise, {532, 12, 586, 109}, bitmap::kPpmMeasureSwitch, 2},
}};
constexpr Rect kPpmVersion{281, 86, 391, 100};

// One meter's back panel: its controls and where the version sits.
struct Layout {
    const Knob* knobs;
    std::size_t knobCount;
    const Switch* switches;
    std::size_t switchCount;
    Rect version;
    // The controls follow what the engine stored rather than the value
    // the effect passes on (the VU panel).
    bool showsStoredValue;
};
constexpr std::array<Layout, bitmap::kMeterCount> kLayouts{{
    {kVuKnobs.data(), kVuKnobs.size(), kVuSwitches.data(), kVuSwitches.size(), kVuVersion, true},
    {kRmsKnobs.data(), kRmsKnobs.size(), kRmsSwitches.data(), kRmsSwitches.size(), kRmsVersion, false},
    {kPpmKnobs.data(), kPpmKnobs.size(), kPpmSwitches.data(), kPpmSwitches.size(), kPpmVersion, false},
}};
constexpr const char* kVersionText = version::kVersionLabel;

// Frames the stepped knobs show for each of their positions.
constexpr std::array<int, 7> kRmsLedReferenceFrames{0, 8, 17, 25, 33, 42, 50};
constexpr std::array<int, 10> kRmsOversFrames{2, 6, 11, 17, 22, 28, 33, 39, 44, 47};
constexpr std::array<int, 10> kVuPpmOversFrames{2, 6, 11, 17, 22, 28, 33, 39, 43, 48};
constexpr std::array<int, 4> kVuPpmLedReferenceFrames{5, 19, 31, 45};
constexpr std::array<int, 5> kVuBacklightFrames{15, 20, 25, 30, 35};
}  // namespace back

// ---------------------------------------------------------------- strips

namespace strip {
constexpr int kFilterStripTop = kFrontPanelHeight;  // both strips start below the front panel

// Compact bars (filter and label).
constexpr Point kOpenCloseButton{574, 0};
constexpr Point kFilterCaption{503, 2};
constexpr Point kFilterLamp{547, 1};
constexpr Point kLabelCaption{506, 2};

// Expanded filter bar.
constexpr Point kFilterInOutButton{541, 4};
constexpr Point kHighPassOnButton{16, 20};
constexpr Point kLowPassOnButton{281, 20};
constexpr Rect kHighPassSlider{58, 10, 220, 42};
constexpr Rect kLowPassSlider{323, 10, 485, 42};
constexpr int kFrequencyHandleRange = 162;
constexpr int kFrequencyHandleWidth = 19;  // image 10024
// The handle's left edge travels the range less its own width.
constexpr int kFrequencyHandleTravel = kFrequencyHandleRange - kFrequencyHandleWidth;
// Parameters 11 and 14: base x 100^value Hz.
constexpr double kHighPassBaseHz = 20.0;
constexpr double kLowPassBaseHz = 300.0;
constexpr double kFrequencySpan = 100.0;  // two decades over the value range
inline double frequencyValue(double hertz, double baseHz) { return std::log(hertz / baseHz) / std::log(kFrequencySpan); }
// Where the handle's centre sits at a value: the slider puts its left edge on
// a whole pixel.
inline double frequencyHandleCentreX(const Rect& slider, double value)
{
    return slider.left + std::floor(value * kFrequencyHandleTravel) + kFrequencyHandleWidth / 2.0;
}
// The frequencies printed under each slider.
constexpr std::array<double, 7> kHighPassMarksHz{20, 50, 100, 200, 500, 1000, 2000};
constexpr std::array<double, 7> kLowPassMarksHz{300, 1000, 2000, 5000, 10000, 20000, 30000};
constexpr Point kHighPassSlope{223, 8};
constexpr Point kLowPassSlope{489, 8};
constexpr int kFrequencyTextWidth = 42;
constexpr int kFrequencyTextHeight = 15;
constexpr int kHighPassTextOffset = 45;   // text left = 144 x value + offset
constexpr int kLowPassTextOffset = 310;
constexpr int kFrequencyTextTravel = 144;

// Expanded label bar.
constexpr Point kLagTime{541, 1};
constexpr Rect kTapeLabel{17, 1, 523, 35};
using controllayout::kLagTimeLayerHeight;
}  // namespace strip

}  // namespace editor
