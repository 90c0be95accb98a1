#include "ReviewSheet.h"

#include "base/Version.h"
#include "Draw.h"
#include "editor/EditorGeometry.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace artgen {
namespace {

using namespace editor;

cairo_surface_t* image(const ImageSet& images, int id)
{
    const auto it = images.find(id);
    if (it == images.end())
        throw std::runtime_error("no image " + std::to_string(id));
    return it->second;
}

// Draws frame `frame` of image `id` (frame height h) with its top-left at (x, y), clipped to w x h.
void blit(cairo_t* cr, const ImageSet& images, int id, int frame, int h, double x, double y, int w = -1)
{
    cairo_surface_t* s = image(images, id);
    const int width = w < 0 ? cairo_image_surface_get_width(s) : w;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, width, h);
    cairo_clip(cr);
    cairo_set_source_surface(cr, s, x, y - frame * h);
    cairo_paint(cr);
    cairo_restore(cr);
}

void save(cairo_surface_t* s, const std::string& path)
{
    if (cairo_surface_write_to_png(s, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

void line(cairo_t* cr, const MeterViewGeometry& g, Point o, double angle, double r0, double r1, Rgb c,
          double alpha, double width)
{
    const NeedlePoint a = needlePoint(g, angle, r0);
    const NeedlePoint b = needlePoint(g, angle, r1);
    cairo_set_line_width(cr, width);
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
    cairo_move_to(cr, o.x + a.x, o.y + a.y);
    cairo_line_to(cr, o.x + b.x, o.y + b.y);
    cairo_stroke(cr);
}

Rgb rgb255(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

// The needles, hold marks and LED of one view, as the views draw them.
void drawView(cairo_t* cr, const ImageSet& images, int meter, Point o, float reading)
{
    const MeterViewGeometry& g = meter == 0 ? kVuView : (meter == 1 ? kRmsView : kPpmView);
    cairo_save(cr);
    cairo_rectangle(cr, o.x, o.y, g.width, g.height);
    cairo_clip(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    if (meter == 0) {
        const int step = 2;
        blit(cr, images, bitmap::kVuScale, step, kVuScaleFrameHeight, o.x, o.y);
    }
    blit(cr, images, bitmap::kOverLed, 0, kOverLedFrameHeight, o.x + g.led.left, o.y + g.led.top);
    if (meter == 1) {
        const double a = rmsAngleRadians(reading);
        line(cr, g, o, a, g.r0, g.r1, rgb255(140, 118, 108), 1.0, 2.4);
        line(cr, g, o, a, g.r1, g.r0, rgb255(0, 0, 0), 1.0, 0.6);
        line(cr, g, o, a, g.r0, g.r1, rgb255(237, 230, 201), 1.0, 2.4);
        line(cr, g, o, a, g.r1, g.r2, rgb255(160, 0, 0), 220 / 255.0, 2.4);
        line(cr, g, o, a, g.r2, g.r3, rgb255(255, 0, 0), 130 / 255.0, 2.4);
    } else if (meter == 0) {
        const double a = vuAngleRadians(reading);
        line(cr, g, o, a, g.r0, g.r1, rgb255(50, 45, 30), 1.0, 2.4);
        line(cr, g, o, vuAngleRadians(reading * 1.12F), g.r2, g.r3, rgb255(220, 0, 0), 1.0, 2.4);
        // The cover is the bottom strip of the same frame.
        cairo_surface_t* s = image(images, bitmap::kVuScale);
        cairo_save(cr);
        cairo_rectangle(cr, o.x, o.y + g.height - g.coverHeight, g.width, g.coverHeight);
        cairo_clip(cr);
        cairo_set_source_surface(cr, s, o.x, o.y - 2 * kVuScaleFrameHeight);
        cairo_paint(cr);
        cairo_restore(cr);
    } else {
        const double a = ppmAngleRadians(reading);
        line(cr, g, o, a, g.r0, g.r1, rgb255(229, 218, 202), 1.0, 2.4);
        line(cr, g, o, ppmAngleRadians(reading * 1.4F), g.r2, g.r3, rgb255(220, 0, 0), 1.0, 2.4);
    }
    cairo_restore(cr);
}

TextStyle controlText(double size = 9.0)
{
    // Stands in for the toolkit's standard font that the controls use.
    return TextStyle{Face::label, size, rgb255(200, 193, 193), 1.0, 0.0, Align::centre};
}

const char* const kReferenceTexts[3] = {"-18.0 dBFS", "0.0 dBFS", "-12.0 dBFS"};

void frontPanel(cairo_t* cr, const ImageSet& images, int meter)
{
    blit(cr, images, bitmap::kFrontPanel[meter], 0, kFrontPanelHeight, 0, 0);
    blit(cr, images, bitmap::kFrontCalibration, 1, 11, front::kCalibration.x, front::kCalibration.y);
    blit(cr, images, bitmap::kFrontReferenceCaption, 0, 11, front::kReferenceControl.x, front::kReferenceControl.y);
    const double refLeft = front::kReferenceControl.x + front::kReferenceTextInsetLeft;
    const double refRight = front::kReferenceControl.x + 133 - front::kReferenceTextInsetRight;
    drawTextCentred(cr, kReferenceTexts[meter], (refLeft + refRight) / 2.0, front::kReferenceControl.y + 5.5,
                    controlText(8.5));
    TextStyle hint = controlText(9.0);
    hint.colour = rgb255(220, 213, 213);
    drawTextCentred(cr, "Click to open the manual", (front::kHintLine.left + front::kHintLine.right) / 2.0, 7.0, hint);
    blit(cr, images, bitmap::kManualButton, 1, 14, front::kManualButton.x, front::kManualButton.y);
    blit(cr, images, bitmap::kProcessButton, 1, 14, front::kProcessButton.x, front::kProcessButton.y);
    blit(cr, images, bitmap::kOpenCloseButton, 1, 11, front::kStripsButton.x, front::kStripsButton.y);
    const double trimTop = front::kTrimSlider.top + (1.0 - 0.5) * (front::kTrimSlider.height() - 19);
    blit(cr, images, bitmap::kTrimHandle, 0, 19, front::kTrimSlider.left, trimTop);
    drawTextCentred(cr, "0.0dB", (front::kTrimText.left + front::kTrimText.right) / 2.0,
                    (front::kTrimText.top + front::kTrimText.bottom) / 2.0, controlText(9.0));
    blit(cr, images, bitmap::kMeterSelector, 0, 23, front::kMeterSelector.x, front::kMeterSelector.y);
    blit(cr, images, bitmap::kLrMsSwitch[meter], 0, 24, front::kLrMsSwitch.x, front::kLrMsSwitch.y);
    blit(cr, images, bitmap::kLeftCaption[meter], 0, 19, front::kLeftCaption.left, front::kLeftCaption.top);
    blit(cr, images, bitmap::kRightCaption[meter], 0, 19, front::kRightCaption.left, front::kRightCaption.top);
    blit(cr, images, bitmap::kHoldSwitch[meter], 2, 24, front::kHoldSwitch.x, front::kHoldSwitch.y);
    drawView(cr, images, meter, kLeftViewOrigin, 1.0F);
    drawView(cr, images, meter, kRightViewOrigin, 1.0F);
}

void filterStrip(cairo_t* cr, const ImageSet& images, int meter, double top)
{
    blit(cr, images, bitmap::kFilterStrip[meter], 0, kFilterStripHeight, 0, top);
    blit(cr, images, bitmap::kFilterInOutButton, 2, 30, strip::kFilterInOutButton.x, top + strip::kFilterInOutButton.y);
    blit(cr, images, bitmap::kOpenCloseButton, 1, 11, strip::kOpenCloseButton.x, top + strip::kOpenCloseButton.y);
    blit(cr, images, bitmap::kFilterOnButton, 1, 12, strip::kHighPassOnButton.x, top + strip::kHighPassOnButton.y);
    blit(cr, images, bitmap::kFilterOnButton, 0, 12, strip::kLowPassOnButton.x, top + strip::kLowPassOnButton.y);
    const double hp = 0.35;
    const double lp = 0.8;
    blit(cr, images, bitmap::kFilterFrequencyHandle, 0, 32, strip::kHighPassSlider.left + hp * strip::kFrequencyHandleRange,
         top + strip::kHighPassSlider.top);
    blit(cr, images, bitmap::kFilterFrequencyHandle, 0, 32, strip::kLowPassSlider.left + lp * strip::kFrequencyHandleRange,
         top + strip::kLowPassSlider.top);
    blit(cr, images, bitmap::kFilterSlopeSwitch, 0, 24, strip::kHighPassSlope.x, top + strip::kHighPassSlope.y);
    blit(cr, images, bitmap::kFilterSlopeSwitch, 1, 24, strip::kLowPassSlope.x, top + strip::kLowPassSlope.y);
    TextStyle t = controlText(9.0);
    t.colour = rgb255(170, 170, 170);
    drawTextCentred(cr, "101", strip::kFrequencyTextTravel * hp + strip::kHighPassTextOffset + 21.0, top + 7.0, t);
    drawTextCentred(cr, "12k", strip::kFrequencyTextTravel * lp + strip::kLowPassTextOffset + 21.0, top + 7.0, t);
}

void labelStrip(cairo_t* cr, const ImageSet& images, int meter, double top)
{
    blit(cr, images, bitmap::kLabelStrip[meter], 0, kLabelStripHeight, 0, top);
    blit(cr, images, bitmap::kOpenCloseButton, 1, 11, strip::kOpenCloseButton.x, top + strip::kOpenCloseButton.y);
    for (int layer = 0; layer < 3; ++layer) {
        if (layer == 1) {
            TextStyle digit{Face::caption, 11.0, rgb255(0, 0, 0), 1.0, 0.0, Align::centre};
            const char* digits[3] = {"0", "2", "5"};
            for (int i = 0; i < 3; ++i)
                drawTextCentred(cr, digits[i], strip::kLagTime.x + 7.0 + 7.0 * i, top + strip::kLagTime.y + 22.0, digit);
        }
        blit(cr, images, bitmap::kLagTimeControl, layer, strip::kLagTimeLayerHeight, strip::kLagTime.x,
             top + strip::kLagTime.y);
    }
    // The strip label in the tape font: 38 px nominal, drawn at 28.5 points.
    TextStyle tapeText{Face::tape, 28.5 * 96.0 / 72.0 * 0.75, rgb255(4, 45, 85), 205 / 255.0, 0.0, Align::centre};
    const Rect& r = strip::kTapeLabel;
    drawTextCentred(cr, "Mix Bus  -  Master Out", (r.left + r.right) / 2.0 + 3.0, top + (r.top + r.bottom) / 2.0 + 5.0 - 3.0,
                    tapeText);
}

}  // namespace

void writeContactSheet(const std::vector<ArtImage>& list, const ImageSet& images, const std::string& path)
{
    constexpr int kSheetWidth = 1900;
    constexpr int kMargin = 16;
    constexpr int kLabelWidth = 170;
    // First pass: lay out rows to know the height.
    struct Place {
        const ArtImage* image;
        int y;
        int rowHeight;
    };
    std::vector<Place> places;
    int y = kMargin;
    for (const ArtImage& a : list) {
        const int fh = a.height / a.frames;
        const int perRow = std::max(1, (kSheetWidth - kLabelWidth - 2 * kMargin) / (a.width + 6));
        const int rows = (a.frames + perRow - 1) / perRow;
        const int h = std::max(44, rows * (fh + 6));
        places.push_back({&a, y, h});
        y += h + 10;
    }
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSheetWidth, y + kMargin);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.42, 0.43, 0.45);
    cairo_paint(cr);
    TextStyle label{Face::caption, 11.0, hex(0xF2F2F2)};
    TextStyle sub{Face::label, 9.0, hex(0xE0E0E0)};
    for (const Place& p : places) {
        const ArtImage& a = *p.image;
        const int fh = a.height / a.frames;
        drawText(cr, std::to_string(a.id), kMargin, p.y + 12, label);
        drawText(cr, std::to_string(a.width) + " x " + std::to_string(a.height) + ", " + std::to_string(a.frames) +
                         (a.frames == 1 ? " frame" : " frames"),
                 kMargin, p.y + 25, sub);
        drawText(cr, a.file, kMargin, p.y + 37, sub);
        const int perRow = std::max(1, (kSheetWidth - kLabelWidth - 2 * kMargin) / (a.width + 6));
        for (int f = 0; f < a.frames; ++f) {
            const int x = kMargin + kLabelWidth + (f % perRow) * (a.width + 6);
            const int fy = p.y + (f / perRow) * (fh + 6);
            // A checkerboard shows where a frame is transparent.
            for (int cy = 0; cy < fh; cy += 6)
                for (int cx = 0; cx < a.width; cx += 6) {
                    const bool dark = ((cx / 6) + (cy / 6)) % 2 == 0;
                    cairo_set_source_rgb(cr, dark ? 0.33 : 0.38, dark ? 0.34 : 0.39, dark ? 0.36 : 0.41);
                    cairo_rectangle(cr, x + cx, fy + cy, std::min(6, a.width - cx), std::min(6, fh - cy));
                    cairo_fill(cr);
                }
            blit(cr, images, a.id, f, fh, x, fy);
        }
    }
    cairo_destroy(cr);
    save(sheet, path);
    cairo_surface_destroy(sheet);
}

void writeFrontMockup(const ImageSet& images, int meter, const std::string& path)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kEditorWidth, kEditorMaxHeight);
    cairo_t* cr = cairo_create(s);
    frontPanel(cr, images, meter);
    filterStrip(cr, images, meter, kFrontPanelHeight);
    labelStrip(cr, images, meter, kFrontPanelHeight + kFilterStripHeight);
    cairo_destroy(cr);
    save(s, path);
    cairo_surface_destroy(s);
}

void writeBackMockup(const ImageSet& images, int meter, const std::string& path)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kEditorWidth, kEditorMaxHeight);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    blit(cr, images, bitmap::kBackPanel[meter], 0, kBackPanelHeight, 0, 0);
    blit(cr, images, bitmap::kBackCalibration, 1, 11, back::kCalibration.x, back::kCalibration.y,
         back::kCalibrationNarrowWidth);
    blit(cr, images, bitmap::kCalibrationSentence, 1, 11, back::kCalibrationSentence.left, back::kCalibrationSentence.top);
    auto knobs = [&](const auto& list) {
        for (const back::Knob& k : list) {
            int frame = 25;
            switch (k.kind) {
            case back::KnobKind::plain: frame = 25; break;
            case back::KnobKind::rmsLedReference: frame = back::kRmsLedReferenceFrames[6]; break;
            case back::KnobKind::rmsOvers: frame = back::kRmsOversFrames[2]; break;
            case back::KnobKind::vuPpmOvers: frame = back::kVuPpmOversFrames[2]; break;
            case back::KnobKind::vuPpmLedReference: frame = back::kVuPpmLedReferenceFrames[3]; break;
            case back::KnobKind::vuBacklight: frame = back::kVuBacklightFrames[2]; break;
            }
            blit(cr, images, bitmap::kKnobFilmStrip, frame, back::kKnobHeight, k.origin.x, k.origin.y);
            if (k.label.right > k.label.left)
                drawTextCentred(cr, "300 ms", (k.label.left + k.label.right) / 2.0, (k.label.top + k.label.bottom) / 2.0,
                                controlText(9.0));
        }
    };
    auto switches = [&](const auto& list) {
        for (const back::Switch& sw : list)
            blit(cr, images, sw.image, 1, sw.rect.height(), sw.rect.left, sw.rect.top);
    };
    const Rect* version = nullptr;
    if (meter == 0) {
        knobs(back::kVuKnobs);
        switches(back::kVuSwitches);
        version = &back::kVuVersion;
    } else if (meter == 1) {
        knobs(back::kRmsKnobs);
        switches(back::kRmsSwitches);
        version = &back::kRmsVersion;
    } else {
        knobs(back::kPpmKnobs);
        switches(back::kPpmSwitches);
        version = &back::kPpmVersion;
    }
    drawTextCentred(cr, version::kVersionLabel, (version->left + version->right) / 2.0, (version->top + version->bottom) / 2.0,
                    controlText(9.0));
    cairo_destroy(cr);
    save(s, path);
    cairo_surface_destroy(s);
}

}  // namespace artgen
