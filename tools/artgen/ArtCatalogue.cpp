#include "ArtCatalogue.h"

#include "ControlArt.h"
#include "Draw.h"
#include "MeterFaces.h"
#include "PanelArt.h"
#include "editor/EditorGeometry.h"

#include <cstdio>
#include <stdexcept>

namespace artgen {
namespace {

using namespace editor::bitmap;

const Rgb kAccents[3] = {palette::kVuAccent, palette::kRmsAccent, palette::kPpmAccent};
const char* const kMeterFileNames[3] = {"vu", "rms", "ppm"};

std::string fileName(int id, const std::string& role)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%05d", id);
    return std::string(buffer) + "_" + role + ".png";
}

// Painter of a control that ignores the surface.
template <typename Fn>
std::function<void(cairo_t*, cairo_surface_t*, int)> frames(Fn fn)
{
    return [fn](cairo_t* cr, cairo_surface_t*, int frame) { fn(cr, frame); };
}

}  // namespace

std::vector<ArtImage> catalogue()
{
    std::vector<ArtImage> list{
        {kManualButton, fileName(kManualButton, "manual_button"), 10, 42, 3, frames(paintManualButton)},
        {kTrimHandle, fileName(kTrimHandle, "trim_handle"), 32, 19, 1,
         frames([](cairo_t* cr, int) { paintTrimHandle(cr); })},
        {kProcessButton, fileName(kProcessButton, "process_button"), 43, 28, 2, frames(paintProcessButton)},
        {kKnobFilmStrip, fileName(kKnobFilmStrip, "knob"), 43, 2091, 51, frames(paintKnob)},
        {kTapePen, fileName(kTapePen, "tape_pen"), 47, 33, 1, frames([](cairo_t* cr, int) { paintTapePen(cr); })},
        {kFrontCalibration, fileName(kFrontCalibration, "calibration_front"), 86, 33, 3,
         frames([](cairo_t* cr, int f) { paintCalibration(cr, f, 86); })},
        {kFrontReferenceCaption, fileName(kFrontReferenceCaption, "reference_caption"), 133, 22, 2,
         frames(paintReferenceCaption)},
        {kBackCalibration, fileName(kBackCalibration, "calibration_back"), 581, 33, 3,
         frames([](cairo_t* cr, int f) { paintCalibration(cr, f, 581); })},
        {kMeterSelector, fileName(kMeterSelector, "meter_selector"), 149, 69, 3, frames(paintMeterSelector)},
        {kCalibrationSentence, fileName(kCalibrationSentence, "calibration_sentence"), 586, 33, 3,
         frames(paintCalibrationSentence)},
        {kFilterInOutButton, fileName(kFilterInOutButton, "filter_inout"), 31, 90, 3, frames(paintFilterInOut)},
        {kFilterOnButton, fileName(kFilterOnButton, "filter_on"), 36, 24, 2, frames(paintFilterOn)},
        {kFilterFrequencyHandle, fileName(kFilterFrequencyHandle, "frequency_handle"), 19, 32, 1,
         frames([](cairo_t* cr, int) { paintFrequencyHandle(cr); })},
        {kOpenCloseButton, fileName(kOpenCloseButton, "open_close"), 11, 22, 2, frames(paintOpenClose)},
        {kLabelStripCaption, fileName(kLabelStripCaption, "label_caption"), 27, 11, 1,
         frames([](cairo_t* cr, int) { paintStripCaption(cr, 27, "LABEL"); })},
        {kFilterStripCaption, fileName(kFilterStripCaption, "filter_caption"), 33, 11, 1,
         frames([](cairo_t* cr, int) { paintStripCaption(cr, 33, "FILTERS"); })},
        {kFilterStripLamp, fileName(kFilterStripLamp, "filter_lamp"), 12, 36, 3, frames(paintFilterLamp)},
        {kFilterSlopeSwitch, fileName(kFilterSlopeSwitch, "slope_switch"), 29, 48, 2, frames(paintSlopeSwitch)},
        {kLagTimeControl, fileName(kLagTimeControl, "lag_time"), 26, 120, 3, frames(paintLagTime)},
        {kVuTypeSwitch, fileName(kVuTypeSwitch, "vu_type_switch"), 65, 82, 2, frames(paintVuTypeSwitch)},
        {kVuMidAttenuationSwitch, fileName(kVuMidAttenuationSwitch, "vu_mid_switch"), 70, 123, 3,
         frames([](cairo_t* cr, int f) { paintMidSwitch(cr, f, 41); })},
        {kRmsMidAttenuationSwitch, fileName(kRmsMidAttenuationSwitch, "rms_mid_switch"), 70, 123, 3,
         frames([](cairo_t* cr, int f) { paintMidSwitch(cr, f, 41); })},
        {kPpmMidAttenuationSwitch, fileName(kPpmMidAttenuationSwitch, "ppm_mid_switch"), 70, 201, 3,
         frames([](cairo_t* cr, int f) { paintMidSwitch(cr, f, 67); })},
        {kRmsLedReferenceUnitSwitch, fileName(kRmsLedReferenceUnitSwitch, "rms_ledref_switch"), 54, 114, 2,
         frames(paintLedUnitSwitch)},
        {kVuScale, fileName(kVuScale, "vu_scale"), 250, 610, 5, frames(paintVuFace)},
        {kOverLed, fileName(kOverLed, "over_led"), 20, 60, 3, frames(paintOverLed)},
    };
    for (int m = 0; m < editor::kMeterCount; ++m) {
        const std::string name = kMeterFileNames[m];
        const Rgb accent = kAccents[m];
        list.push_back({kFrontPanel[m], fileName(kFrontPanel[m], "front_" + name), 586, 169, 1,
                        [m](cairo_t* cr, cairo_surface_t* s, int) { paintFrontPanel(cr, s, m); }});
        list.push_back({kBackPanel[m], fileName(kBackPanel[m], "back_" + name), m == 2 ? 585 : 586, 261, 1,
                        [m](cairo_t* cr, cairo_surface_t* s, int) { paintBackPanel(cr, s, m); }});
        list.push_back({kLrMsSwitch[m], fileName(kLrMsSwitch[m], "lrms_" + name), 87, 48, 2,
                        frames([accent](cairo_t* cr, int f) { paintLrMsSwitch(cr, f, accent); })});
        list.push_back({kHoldSwitch[m], fileName(kHoldSwitch[m], "hold_" + name), 86, 72, 3,
                        frames([accent](cairo_t* cr, int f) { paintHoldSwitch(cr, f, accent); })});
        list.push_back({kLeftCaption[m], fileName(kLeftCaption[m], "left_caption_" + name), 66, 38, 2,
                        frames([accent](cairo_t* cr, int f) { paintChannelCaption(cr, f == 0 ? "LEFT" : "MID", accent); })});
        list.push_back({kRightCaption[m], fileName(kRightCaption[m], "right_caption_" + name), 66, 38, 2,
                        frames([accent](cairo_t* cr, int f) { paintChannelCaption(cr, f == 0 ? "RIGHT" : "SIDE", accent); })});
        list.push_back({kCompactStrip[m], fileName(kCompactStrip[m], "strip_compact_" + name), 586, 13, 1,
                        [m](cairo_t* cr, cairo_surface_t* s, int) { paintCompactStrip(cr, s, m); }});
        list.push_back({kFilterStrip[m], fileName(kFilterStrip[m], "strip_filter_" + name), 586, 53, 1,
                        [m](cairo_t* cr, cairo_surface_t* s, int) { paintFilterStrip(cr, s, m); }});
        list.push_back({kLabelStrip[m], fileName(kLabelStrip[m], "strip_label_" + name), 586, 39, 1,
                        [m](cairo_t* cr, cairo_surface_t* s, int) { paintLabelStrip(cr, s, m); }});
        list.push_back({kMeasureSwitch[m], fileName(kMeasureSwitch[m], "measure_" + name), 54, 194, 2,
                        frames(paintMeasureSwitch)});
    }
    return list;
}

cairo_surface_t* render(const ArtImage& image, int scale)
{
    if (image.frames <= 0 || image.height % image.frames != 0)
        throw std::logic_error("image " + std::to_string(image.id) + ": height not a multiple of its frames");
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width * scale, image.height * scale);
    cairo_t* cr = cairo_create(surface);
    setPixelScale(scale);
    if (scale != 1)
        cairo_scale(cr, scale, scale);
    const int frameHeight = image.height / image.frames;
    for (int f = 0; f < image.frames; ++f) {
        cairo_save(cr);
        cairo_translate(cr, 0, f * frameHeight);
        cairo_rectangle(cr, 0, 0, image.width, frameHeight);
        cairo_clip(cr);
        image.paint(cr, surface, f);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    setPixelScale(1);
    cairo_surface_flush(surface);
    return surface;
}

}  // namespace artgen
