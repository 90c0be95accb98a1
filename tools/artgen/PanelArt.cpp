#include "PanelArt.h"

#include "Draw.h"
#include "MeterFaces.h"
#include "editor/EditorGeometry.h"

#include <cmath>
#include <string>
#include <vector>

namespace artgen {
namespace {

using namespace editor;

const Rgb kAccents[3] = {palette::kVuAccent, palette::kRmsAccent, palette::kPpmAccent};
const char* const kMeterNames[3] = {"VU3", "RMS3", "PPM3"};

TextStyle caption(double size = 7.0, Align align = Align::centre)
{
    return TextStyle{Face::caption, size, palette::kCaption, 1.0, 0.6, align};
}

void panelMaterial(cairo_t* cr, cairo_surface_t* surface, int w, int h, const Rgb& top, const Rgb& bottom,
                   unsigned seed)
{
    fillGradient(cr, 0, 0, w, h, top, bottom);
    brush(surface, 0, 0, w, h, seed);
}

std::string minus(int value)
{
    if (value < 0)
        return "\u2212" + std::to_string(-value);
    if (value > 0)
        return "+" + std::to_string(value);
    return "0";
}

// ------------------------------------------------------------ front panel

void meterWindow(cairo_t* cr, int meter, Point origin)
{
    const MeterViewGeometry& g = meter == 0 ? kVuView : (meter == 1 ? kRmsView : kPpmView);
    recess(cr, origin.x - 3, origin.y - 3, g.width + 6, g.height + 6, 3);
    cairo_save(cr);
    cairo_translate(cr, origin.x, origin.y);
    cairo_rectangle(cr, 0, 0, g.width, g.height);
    cairo_clip(cr);
    if (meter == 0)
        paintVuFace(cr, 2);  // the view draws its own frame over this
    else if (meter == 1)
        paintRmsFace(cr);
    else
        paintPpmFace(cr);
    // An inner shadow along the top edge sets the face behind the panel.
    cairo_pattern_t* s = cairo_pattern_create_linear(0, 0, 0, 6);
    cairo_pattern_add_color_stop_rgba(s, 0.0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(s, 1.0, 0, 0, 0, 0.0);
    cairo_rectangle(cr, 0, 0, g.width, 6);
    cairo_set_source(cr, s);
    cairo_fill(cr);
    cairo_pattern_destroy(s);
    cairo_restore(cr);
}

void trimScale(cairo_t* cr)
{
    const Rect& r = front::kTrimSlider;
    const double cx = r.left + r.width() / 2.0;
    // Fader slot, over the travel of the handle's centre.
    const double slotTop = front::trimHandleCentreY(1.0) - 2.0;
    const double slotBottom = front::trimHandleCentreY(0.0) + 2.0;
    roundedRect(cr, cx - 2.0, slotTop, 4.0, slotBottom - slotTop, 2.0);
    setColour(cr, hex(0x050506));
    cairo_fill(cr);
    recess(cr, cx - 2.0, slotTop, 4.0, slotBottom - slotTop, 1);
    TextStyle numbers{Face::caption, 7.0, palette::kCaption, 1.0, 0.0, Align::left};
    for (int dB = -front::kTrimRangeDb; dB <= front::kTrimRangeDb; dB += 5) {
        const double y = std::floor(front::trimHandleCentreY(front::trimValue(dB))) + 0.5;
        const bool major = dB % 10 == 0;
        cairo_set_line_width(cr, 1.0);
        setColour(cr, palette::kCaptionDim, 0.9);
        cairo_move_to(cr, major ? cx - 11.0 : cx - 8.0, y);
        cairo_line_to(cr, cx - 4.0, y);
        cairo_move_to(cr, cx + 4.0, y);
        cairo_line_to(cr, major ? cx + 11.0 : cx + 8.0, y);
        cairo_stroke(cr);
        if (major)
            drawEngraved(cr, minus(dB), r.right + 2.0, y + 2.5, numbers);
    }
    // Caption up the left side.
    cairo_save(cr);
    cairo_translate(cr, r.left - 2.0, (r.top + r.bottom) / 2.0);
    cairo_rotate(cr, -M_PI / 2.0);
    drawEngravedCentred(cr, "TRIM  dB", 0.0, 0.0, caption());
    cairo_restore(cr);
}

void meterName(cairo_t* cr, int meter)
{
    const double cx = front::kMeterSelector.x + 149 / 2.0;
    const double top = front::kMeterSelector.y;
    TextStyle brand{Face::caption, 7.0, palette::kCaptionDim, 1.0, 2.0, Align::centre};
    drawEngraved(cr, "QOR VALDORA", cx, top + 8.0, brand);
    TextStyle name{Face::caption, 11.0, kAccents[meter], 1.0, 1.5, Align::centre};
    drawEngraved(cr, kMeterNames[meter], cx, top + 20.0, name);
}

}  // namespace

void paintFrontPanel(cairo_t* cr, cairo_surface_t* surface, int meter)
{
    panelMaterial(cr, surface, kEditorWidth, kFrontPanelHeight, palette::kPanelTop, palette::kPanelBottom,
                  101U + meter);
    raisedEdge(cr, 0, 0, kEditorWidth, kFrontPanelHeight);
    meterWindow(cr, meter, kLeftViewOrigin);
    meterWindow(cr, meter, kRightViewOrigin);
    // Hint line and the trim value sit in dark display wells.
    const Rect& hint = front::kHintLine;
    displayWell(cr, hint.left - 2, hint.top + 1, hint.width() + 4, hint.height() - 1);
    const Rect& trim = front::kTrimText;
    displayWell(cr, trim.left, trim.top, trim.width(), trim.height());
    trimScale(cr);
    meterName(cr, meter);
}

// ------------------------------------------------------------ back panels

namespace {

struct KnobCaption {
    int tag;
    const char* text;
};

const KnobCaption kKnobCaptions[] = {
    {72, "REFERENCE"},   {73, "PEAK INTEGR."}, {74, "RMS INTEGR."},   {75, "HOLD"},      {76, "FALL-BACK"},
    {78, "OVER SAMPLES"}, {79, "OVER LEVEL dB"},   {83, "REFERENCE"},     {84, "INTEGRATION"}, {85, "HOLD"},
    {88, "BACKLIGHT"},   {89, "OVER SAMPLES"},  {90, "OVER LEVEL dBFS"},    {93, "REFERENCE"}, {94, "INTEGRATION"},
    {95, "HOLD"},        {96, "FALL-BACK"},     {98, "OVER SAMPLES"},  {99, "OVER LEVEL dBFS"},
};

const char* knobCaption(int tag)
{
    for (const KnobCaption& c : kKnobCaptions)
        if (c.tag == tag)
            return c.text;
    return "";
}

struct KnobCentre {
    double x;
    double y;
};

KnobCentre centreOf(const back::Knob& k)
{
    return {k.origin.x + 21.5, k.origin.y + 19.5};
}

// Position of a mark at pointer angle `degrees` (clockwise from up), radius r.
KnobCentre around(KnobCentre c, double degrees, double r)
{
    const double a = degrees * M_PI / 180.0;
    return {c.x + r * std::sin(a), c.y - r * std::cos(a)};
}

void dot(cairo_t* cr, KnobCentre p, double radius, const Rgb& colour)
{
    cairo_arc(cr, p.x, p.y, radius, 0, 2 * M_PI);
    setColour(cr, colour);
    cairo_fill(cr);
}

void stepLabels(cairo_t* cr, const back::Knob& k, const int* frames, const std::vector<std::string>& labels,
                double radius)
{
    const KnobCentre c = centreOf(k);
    TextStyle t{Face::caption, 7.0, palette::kCaption, 1.0, 0.0, Align::centre};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const double degrees = back::knobFrameDegrees(frames[i]);
        dot(cr, around(c, degrees, 17.5), 0.9, palette::kCaption);
        const KnobCentre p = around(c, degrees, radius);
        drawEngravedCentred(cr, labels[i], p.x, p.y, t);
    }
}

void plainKnobScale(cairo_t* cr, const back::Knob& k)
{
    const KnobCentre c = centreOf(k);
    for (int i = 0; i <= 10; ++i) {
        const double degrees = back::knobFrameDegrees(i * 5);
        dot(cr, around(c, degrees, 17.5), i % 5 == 0 ? 1.1 : 0.7, palette::kCaptionDim);
    }
    const Rect& l = k.label;
    displayWell(cr, l.left, l.top, l.width(), l.height());
}

void knobArt(cairo_t* cr, const back::Knob& k)
{
    const KnobCentre c = centreOf(k);
    // Stepped knobs print their positions all round, so their caption goes below.
    if (k.kind == back::KnobKind::plain)
        drawEngravedCentred(cr, knobCaption(k.tag), c.x, k.origin.y - 5.0, caption());
    else
        drawEngravedCentred(cr, knobCaption(k.tag), c.x, c.y + 27.0, caption());
    switch (k.kind) {
    case back::KnobKind::plain:
        plainKnobScale(cr, k);
        break;
    case back::KnobKind::rmsLedReference:
        stepLabels(cr, k, back::kRmsLedReferenceFrames.data(), {"\u22126", "\u22125", "\u22124", "\u22123", "\u22122", "\u22121", "0"}, 26.0);
        break;
    case back::KnobKind::rmsOvers:
        stepLabels(cr, k, back::kRmsOversFrames.data(), {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 26.0);
        break;
    case back::KnobKind::vuPpmOvers:
        stepLabels(cr, k, back::kVuPpmOversFrames.data(), {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 26.0);
        break;
    case back::KnobKind::vuPpmLedReference:
        stepLabels(cr, k, back::kVuPpmLedReferenceFrames.data(), {"REF+8", "\u22123", "\u22121", "0"}, 27.0);
        break;
    case back::KnobKind::vuBacklight: {
        TextStyle t{Face::caption, 7.0, palette::kCaption, 1.0, 0.3, Align::centre};
        for (int i = 0; i < kVuBacklightSteps; ++i) {
            const KnobCentre p = around(c, back::knobFrameDegrees(back::kVuBacklightFrames[i]), 19.0);
            dot(cr, p, 2.2, hex(0x0A0A0A));
            dot(cr, p, 1.6, kVuBacklight[i]);
        }
        const KnobCentre warm = around(c, -90.0, 27.0);
        const KnobCentre cold = around(c, 90.0, 27.0);
        drawEngravedCentred(cr, "WARM", warm.x - 4.0, warm.y, t);
        drawEngravedCentred(cr, "COLD", cold.x + 4.0, cold.y, t);
        break;
    }
    }
}

template <typename Knobs>
void backPanelControls(cairo_t* cr, const Knobs& knobs)
{
    // Switches carry their own legends in their images; the version text is
    // plain print on the metal, drawn by its label.
    for (const back::Knob& k : knobs)
        knobArt(cr, k);
}

}  // namespace

void paintBackPanel(cairo_t* cr, cairo_surface_t* surface, int meter)
{
    const int width = meter == 2 ? 585 : kEditorWidth;
    panelMaterial(cr, surface, width, kBackPanelHeight, palette::kPanelTop, palette::kPanelBottom, 201U + meter);
    // The lower part, over the strips, is a separate plate behind a machined groove.
    fillGradient(cr, 0, kFrontPanelHeight + 2, width, kBackPanelHeight - kFrontPanelHeight - 2, palette::kStripTop,
                 palette::kStripBottom);
    brush(surface, 0, kFrontPanelHeight + 2, width, kBackPanelHeight - kFrontPanelHeight - 2, 211U + meter);
    raisedEdge(cr, 0, 0, width, kBackPanelHeight);
    groove(cr, 0, width, kFrontPanelHeight);
    groove(cr, 0, width, 15);

    if (meter == 0)
        backPanelControls(cr, back::kVuKnobs);
    else if (meter == 1)
        backPanelControls(cr, back::kRmsKnobs);
    else
        backPanelControls(cr, back::kPpmKnobs);

    const double cx = width / 2.0;
    TextStyle title{Face::caption, 11.0, kAccents[meter], 1.0, 1.5, Align::centre};
    drawEngraved(cr, std::string(kMeterNames[meter]) + "  SETTINGS", cx, 222.0, title);
    TextStyle brand{Face::caption, 7.0, palette::kCaptionDim, 1.0, 2.0, Align::centre};
    drawEngraved(cr, "QOR VALDORA", cx, 207.0, brand);
    TextStyle help{Face::label, 8.0, palette::kCaptionDim, 1.0, 0.1, Align::centre};
    drawEngraved(cr, "Click any empty place of this panel to return to the meter.", cx, 240.0, help);
}

// ------------------------------------------------------------ strips

void paintCompactStrip(cairo_t* cr, cairo_surface_t* surface, int meter)
{
    panelMaterial(cr, surface, kEditorWidth, kCompactStripHeight, palette::kStripTop, palette::kStripBottom,
                  301U + meter);
    groove(cr, 0, kEditorWidth, 0);
}

namespace {

constexpr double kNumeralGapPx = 3.0;

template <std::size_t N>
void frequencyScale(cairo_t* cr, const Rect& slider, double baseHz, const std::array<double, N>& marks)
{
    // Marks sit where the slider puts the handle's centre for that frequency.
    const double y = slider.top + 16.0;
    const double x0 = strip::frequencyHandleCentreX(slider, 0.0);
    const double x1 = strip::frequencyHandleCentreX(slider, 1.0);
    roundedRect(cr, x0 - 2.0, y - 2.0, x1 - x0 + 4.0, 4.0, 2.0);
    setColour(cr, hex(0x050506));
    cairo_fill(cr);
    recess(cr, x0 - 2.0, y - 2.0, x1 - x0 + 4.0, 4.0, 1);
    TextStyle t{Face::caption, 7.0, palette::kCaptionDim, 1.0, 0.0, Align::centre};
    // From the top end down, a numeral that would crowd the one to its right
    // is left out; its tick stays.
    double freeRight = 1e9;
    for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
        const double hz = *it;
        const double x = std::floor(strip::frequencyHandleCentreX(slider, strip::frequencyValue(hz, baseHz))) + 0.5;
        cairo_set_line_width(cr, 1.0);
        setColour(cr, palette::kCaptionDim);
        cairo_move_to(cr, x, slider.bottom + 0.0);
        cairo_line_to(cr, x, slider.bottom + 3.0);
        cairo_stroke(cr);
        const std::string text = hz >= 1000.0 ? std::to_string(static_cast<int>(hz / 1000.0)) + "k"
                                              : std::to_string(static_cast<int>(hz));
        const double halfWidth = textWidth(cr, text, t) / 2.0;
        if (x + halfWidth + kNumeralGapPx > freeRight)
            continue;
        drawEngraved(cr, text, x, slider.bottom + 10.0, t);
        freeRight = x - halfWidth;
    }
}

void slopeLegend(cairo_t* cr, Point at, const char* low, const char* high)
{
    TextStyle t{Face::caption, 7.0, palette::kCaption, 1.0, 0.0, Align::centre};
    // Under the two cap positions, in the row above the frequency numbers.
    drawEngraved(cr, low, at.x + 8.0, at.y + 31.0, t);
    drawEngraved(cr, high, at.x + 21.0, at.y + 31.0, t);
}

}  // namespace

void paintFilterStrip(cairo_t* cr, cairo_surface_t* surface, int meter)
{
    panelMaterial(cr, surface, kEditorWidth, kFilterStripHeight, palette::kStripTop, palette::kStripBottom,
                  401U + meter);
    groove(cr, 0, kEditorWidth, 0);
    TextStyle name = caption();
    drawEngraved(cr, "HIGH-PASS", strip::kHighPassOnButton.x + 18.0, strip::kHighPassOnButton.y + 21.0, name);
    drawEngraved(cr, "LOW-PASS", strip::kLowPassOnButton.x + 18.0, strip::kLowPassOnButton.y + 21.0, name);
    frequencyScale(cr, strip::kHighPassSlider, strip::kHighPassBaseHz, strip::kHighPassMarksHz);
    frequencyScale(cr, strip::kLowPassSlider, strip::kLowPassBaseHz, strip::kLowPassMarksHz);
    slopeLegend(cr, strip::kHighPassSlope, "12", "24");
    slopeLegend(cr, strip::kLowPassSlope, "6", "18");
    TextStyle filters{Face::caption, 7.0, kAccents[meter], 1.0, 0.5, Align::centre};
    drawEngraved(cr, "FILTERS", strip::kFilterInOutButton.x + 15.5, strip::kFilterInOutButton.y + 41.0, filters);
    // Divider between the two filters.
    cairo_set_line_width(cr, 1.0);
    setColour(cr, palette::kEdgeShadow);
    cairo_move_to(cr, 266.5, 8);
    cairo_line_to(cr, 266.5, 46);
    cairo_stroke(cr);
    setColour(cr, palette::kEdgeHighlight, 0.6);
    cairo_move_to(cr, 267.5, 8);
    cairo_line_to(cr, 267.5, 46);
    cairo_stroke(cr);
}

namespace {

void tape(cairo_t* cr, cairo_surface_t* surface, const Rect& r)
{
    // Masking tape: off-white, torn ends, a soft shadow on the metal.
    auto outline = [&](double dx, double dy) {
        cairo_new_path(cr);
        const int teeth = 9;
        cairo_move_to(cr, r.left + dx + 2, r.top + dy);
        cairo_line_to(cr, r.right + dx - 2, r.top + dy);
        for (int i = 0; i <= teeth; ++i) {
            const double y = r.top + dy + r.height() * i / static_cast<double>(teeth);
            const double x = r.right + dx - ((i * 7) % 3) - (i % 2 ? 2.5 : 0.0);
            cairo_line_to(cr, x, y);
        }
        cairo_line_to(cr, r.left + dx + 2, r.bottom + dy);
        for (int i = teeth; i >= 0; --i) {
            const double y = r.top + dy + r.height() * i / static_cast<double>(teeth);
            const double x = r.left + dx + ((i * 5) % 3) + (i % 2 ? 0.0 : 2.0);
            cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
    };
    outline(0.8, 1.5);
    setColour(cr, hex(0x000000), 0.45);
    cairo_fill(cr);
    outline(0, 0);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, r.top, 0, r.bottom);
    const Rgb top = scale(palette::kTape, 1.02);
    const Rgb bottom = scale(palette::kTape, 0.90);
    cairo_pattern_add_color_stop_rgb(p, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
    // Crepe paper: a fine grain without direction, only on the light tape.
    speckle(surface, r.left, r.top, r.width(), r.height(), 7U, 0.5, 3.0);
}

}  // namespace

void paintLabelStrip(cairo_t* cr, cairo_surface_t* surface, int meter)
{
    panelMaterial(cr, surface, kEditorWidth, kLabelStripHeight, palette::kStripTop, palette::kStripBottom,
                  501U + meter);
    groove(cr, 0, kEditorWidth, 0);
    tape(cr, surface, strip::kTapeLabel);
    cairo_save(cr);
    cairo_translate(cr, 533.0, 20.0);
    cairo_rotate(cr, -M_PI / 2.0);
    TextStyle lag{Face::caption, 7.0, kAccents[meter], 1.0, 0.8, Align::centre};
    drawEngravedCentred(cr, "LAG", 0.0, 0.0, lag);
    cairo_restore(cr);
    TextStyle unit{Face::caption, 7.0, palette::kCaption, 1.0, 0.3, Align::centre};
    drawEngravedCentred(cr, "ms", 577.5, 24.0, unit);
}

}  // namespace artgen
