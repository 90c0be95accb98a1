#include "ControlArt.h"

#include "Draw.h"
#include "editor/EditorGeometry.h"

#include <cmath>

namespace artgen {
namespace {

const TextStyle kCaptionStyle{Face::caption, 7.0, palette::kCaption, 1.0, 0.6, Align::centre};

// A dark rubber cap; pressed caps sit one pixel lower and darker.
void rubberCap(cairo_t* cr, double x, double y, double w, double h, bool pressed)
{
    const double dy = pressed ? 1.0 : 0.0;
    roundedRect(cr, x, y + 1.0, w, h - 1.0, 2.5);
    setColour(cr, hex(0x000000), 0.55);
    cairo_fill(cr);
    roundedRect(cr, x, y + dy, w, h - 1.0, 2.5);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y + dy, 0, y + dy + h - 1.0);
    const Rgb top = pressed ? hex(0x2A2B2D) : hex(0x3A3C3F);
    const Rgb bottom = pressed ? hex(0x161718) : hex(0x1E1F21);
    cairo_pattern_add_color_stop_rgb(p, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    if (!pressed) {
        cairo_set_line_width(cr, 1.0);
        setColour(cr, hex(0x5A5D62), 0.8);
        cairo_move_to(cr, x + 2.0, y + 0.5);
        cairo_line_to(cr, x + w - 2.0, y + 0.5);
        cairo_stroke(cr);
    }
}

// A slide switch track with its cap at `position` of `count`.
void slideSwitch(cairo_t* cr, double x, double y, double w, double h, int count, int position)
{
    roundedRect(cr, x, y, w, h, 2.0);
    setColour(cr, hex(0x0B0C0D));
    cairo_fill(cr);
    recess(cr, x, y, w, h, 1);
    const double capW = std::round(w / count) - 2.0;
    const double capX = x + 1.0 + position * (w - 2.0 - capW) / std::max(1, count - 1);
    roundedRect(cr, capX, y + 1.5, capW, h - 3.0, 1.5);
    cairo_pattern_t* p = cairo_pattern_create_linear(capX, 0, capX + capW, 0);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.62, 0.63, 0.65);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.80, 0.81, 0.82);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.52, 0.53, 0.55);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Grip ridges.
    cairo_set_line_width(cr, 1.0);
    for (int i = -1; i <= 1; ++i) {
        const double gx = std::round(capX + capW / 2.0 + i * 3.0) + 0.5;
        setColour(cr, hex(0x3A3B3E), 0.9);
        cairo_move_to(cr, gx, y + 3.0);
        cairo_line_to(cr, gx, y + h - 3.0);
        cairo_stroke(cr);
    }
}

// A bat-handle toggle on its nut; `angle` is the lever direction in radians,
// 0 pointing right, counter-clockwise positive (pi/2 points up).
void toggle(cairo_t* cr, double cx, double cy, double angle, double length)
{
    // Nut with a soft shadow.
    cairo_arc(cr, cx + 0.6, cy + 1.2, 7.0, 0, 2 * M_PI);
    setColour(cr, hex(0x000000), 0.5);
    cairo_fill(cr);
    cairo_pattern_t* nut = cairo_pattern_create_radial(cx - 2, cy - 2, 1, cx, cy, 7);
    cairo_pattern_add_color_stop_rgb(nut, 0.0, 0.78, 0.79, 0.80);
    cairo_pattern_add_color_stop_rgb(nut, 1.0, 0.36, 0.37, 0.39);
    cairo_arc(cr, cx, cy, 6.5, 0, 2 * M_PI);
    cairo_set_source(cr, nut);
    cairo_fill(cr);
    cairo_pattern_destroy(nut);
    cairo_arc(cr, cx, cy, 3.5, 0, 2 * M_PI);
    setColour(cr, hex(0x1C1D1F));
    cairo_fill(cr);
    // Lever: a tapered bat with a rounded tip.
    const double ex = cx + length * std::cos(angle);
    const double ey = cy - length * std::sin(angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 4.0);
    setColour(cr, hex(0x000000), 0.45);
    cairo_move_to(cr, cx + 1, cy + 1.5);
    cairo_line_to(cr, ex + 1, ey + 1.5);
    cairo_stroke(cr);
    cairo_pattern_t* metal = cairo_pattern_create_linear(cx - 3, cy - 3, cx + 3, cy + 3);
    cairo_pattern_add_color_stop_rgb(metal, 0.0, 0.92, 0.92, 0.93);
    cairo_pattern_add_color_stop_rgb(metal, 1.0, 0.55, 0.56, 0.58);
    cairo_set_source(cr, metal);
    cairo_set_line_width(cr, 3.0);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, ex, ey);
    cairo_stroke(cr);
    cairo_arc(cr, ex, ey, 3.0, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void triangle(cairo_t* cr, double cx, double cy, double size, bool pointingLeft, const Rgb& colour, double alpha)
{
    const double s = pointingLeft ? -1.0 : 1.0;
    cairo_move_to(cr, cx + s * size * 0.55, cy);
    cairo_line_to(cr, cx - s * size * 0.45, cy - size * 0.6);
    cairo_line_to(cr, cx - s * size * 0.45, cy + size * 0.6);
    cairo_close_path(cr);
    setColour(cr, colour, alpha);
    cairo_fill(cr);
}

const char* const kModeNames[3] = {"GLOBAL", "SESSION", "INSTANCE"};
const char* const kModeLetters[3] = {"G", "S", "I"};

}  // namespace

const char* calibrationSentence(int mode)
{
    static const char* const kSentences[3] = {
        "Global: these settings are shared by every instance and kept for your next session.",
        "Session: these settings are shared by every instance until the host quits, then forgotten.",
        "Instance: these settings belong to this instance alone and are saved with the project.",
    };
    return kSentences[std::clamp(mode, 0, 2)];
}

void paintManualButton(cairo_t* cr, int frame)
{
    rubberCap(cr, 0.5, 0.5, 9.0, 13.0, frame == 2);
    TextStyle q{Face::caption, 9.0, frame == 1 ? hex(0xFFFFFF) : palette::kCaption};
    drawTextCentred(cr, "?", 5.0, frame == 2 ? 7.5 : 6.5, q);
}

void paintTrimHandle(cairo_t* cr)
{
    // A fader cap seen from above: dark body, a white index line across.
    roundedRect(cr, 1.0, 1.5, 30.0, 17.0, 2.0);
    setColour(cr, hex(0x000000), 0.5);
    cairo_fill(cr);
    roundedRect(cr, 1.0, 0.5, 30.0, 17.0, 2.0);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0.5, 0, 17.5);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.30, 0.31, 0.33);
    cairo_pattern_add_color_stop_rgb(p, 0.45, 0.16, 0.17, 0.18);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.12, 0.12, 0.13);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.22, 0.23, 0.24);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 1.0);
    for (double y : {4.5, 6.5, 12.5, 14.5}) {
        setColour(cr, hex(0x000000), 0.5);
        cairo_move_to(cr, 4, y);
        cairo_line_to(cr, 28, y);
        cairo_stroke(cr);
    }
    setColour(cr, hex(0xEDE6D3));
    cairo_rectangle(cr, 3, 9, 26, 1);
    cairo_fill(cr);
}

void paintProcessButton(cairo_t* cr, int frame)
{
    const bool on = frame == 1;
    rubberCap(cr, 0.5, 0.5, 42.0, 13.0, on);
    const double dy = on ? 1.0 : 0.0;
    // A small LED near the edge and slightly closed-up letters leave the word
    // two pixels of cap on either side.
    constexpr double kLedX = 4.0;
    constexpr double kLedRadius = 1.5;
    led(cr, kLedX, 6.5 + dy, kLedRadius, palette::kProcessGreen, on ? 1.0 : 0.0, on);
    TextStyle t{Face::caption, 7.0, on ? hex(0xF2EEE8) : palette::kCaption, 1.0, -0.3, Align::centre};
    const double ledRight = kLedX + kLedRadius + 1.2;  // the bezel
    const double capRight = 41.5;
    drawText(cr, "PROCESS", (ledRight + capRight) / 2.0, 10.0 + dy, t);
}

void paintKnob(cairo_t* cr, int frame)
{
    constexpr double cx = 21.5;
    constexpr double cy = 19.5;
    constexpr double radius = 14.5;
    // Baked drop shadow.
    cairo_pattern_t* shadow = cairo_pattern_create_radial(cx, cy + 2.5, radius * 0.7, cx, cy + 2.5, radius + 4.5);
    cairo_pattern_add_color_stop_rgba(shadow, 0.0, 0, 0, 0, 0.6);
    cairo_pattern_add_color_stop_rgba(shadow, 1.0, 0, 0, 0, 0.0);
    cairo_arc(cr, cx, cy + 2.5, radius + 4.5, 0, 2 * M_PI);
    cairo_set_source(cr, shadow);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);
    // Knurled skirt: fine teeth around the edge.
    constexpr int kTeeth = 48;
    for (int i = 0; i < kTeeth; ++i) {
        const double a0 = 2 * M_PI * i / kTeeth;
        const double a1 = a0 + M_PI / kTeeth;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, radius, a0, a1);
        cairo_close_path(cr);
        const double lit = 0.5 + 0.5 * std::cos(a0 + M_PI * 0.75);  // light from the upper left
        setColour(cr, mix(hex(0x0E0E0F), hex(0x3C3D40), lit));
        cairo_fill(cr);
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, radius, a1, a1 + M_PI / kTeeth);
        cairo_close_path(cr);
        setColour(cr, mix(hex(0x060606), hex(0x232426), lit));
        cairo_fill(cr);
    }
    // Cap with a soft conical sheen.
    cairo_pattern_t* cap = cairo_pattern_create_linear(cx - 10, cy - 10, cx + 10, cy + 10);
    cairo_pattern_add_color_stop_rgb(cap, 0.0, 0.22, 0.22, 0.23);
    cairo_pattern_add_color_stop_rgb(cap, 1.0, 0.06, 0.06, 0.07);
    cairo_arc(cr, cx, cy, radius - 2.5, 0, 2 * M_PI);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, cx, cy, radius - 2.5, M_PI * 1.05, M_PI * 1.7);
    setColour(cr, hex(0x6A6C70), 0.6);
    cairo_stroke(cr);
    // Cream pointer, clockwise from straight up.
    const double degrees = editor::back::knobFrameDegrees(frame);
    const double a = degrees * M_PI / 180.0;
    const double sx = std::sin(a);
    const double sy = -std::cos(a);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2.0);
    setColour(cr, hex(0xEDE3C8));
    cairo_move_to(cr, cx + sx * 4.5, cy + sy * 4.5);
    cairo_line_to(cr, cx + sx * (radius - 3.5), cy + sy * (radius - 3.5));
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void paintLrMsSwitch(cairo_t* cr, int frame, const Rgb& accent)
{
    TextStyle lit{Face::caption, 8.0, accent, 1.0, 0.5, Align::centre};
    TextStyle dim = lit;
    dim.colour = palette::kCaptionDim;
    drawEngravedCentred(cr, "L/R", 15.0, 12.0, frame == 0 ? lit : dim);
    drawEngravedCentred(cr, "M/S", 72.0, 12.0, frame == 1 ? lit : dim);
    slideSwitch(cr, 30.5, 6.5, 27.0, 11.0, 2, frame);
}

void paintHoldSwitch(cairo_t* cr, int frame, const Rgb& accent)
{
    TextStyle lit{Face::caption, 7.0, accent, 1.0, 0.5, Align::centre};
    TextStyle dim = lit;
    dim.colour = palette::kCaptionDim;
    const char* const names[3] = {"OFF", "\u221E", "ON"};
    for (int i = 0; i < 3; ++i) {
        TextStyle s = i == frame ? lit : dim;
        if (i == 1)
            s.sizePx = 10.0;
        drawEngravedCentred(cr, names[i], 14.0 + i * 29.0, 5.5, s);
    }
    slideSwitch(cr, 4.5, 11.5, 77.0, 10.0, 3, frame);
}

void paintTapePen(cairo_t* cr)
{
    // A marker lying across the tape, its felt tip at the lower left.
    cairo_save(cr);
    cairo_translate(cr, 6.0, 27.0);
    cairo_rotate(cr, -0.55);
    // Shadow.
    roundedRect(cr, 3.0, 2.5, 44.0, 7.0, 3.0);
    setColour(cr, hex(0x000000), 0.25);
    cairo_fill(cr);
    // Tip and cone.
    cairo_move_to(cr, 0.0, 0.0);
    cairo_line_to(cr, 6.0, -2.0);
    cairo_line_to(cr, 6.0, 2.0);
    cairo_close_path(cr);
    setColour(cr, hex(0x042D55));
    cairo_fill(cr);
    cairo_move_to(cr, 5.5, -2.5);
    cairo_line_to(cr, 11.0, -3.5);
    cairo_line_to(cr, 11.0, 3.5);
    cairo_line_to(cr, 5.5, 2.5);
    cairo_close_path(cr);
    setColour(cr, hex(0xB9BBBE));
    cairo_fill(cr);
    // Barrel.
    roundedRect(cr, 11.0, -3.5, 33.0, 7.0, 2.0);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, -3.5, 0, 3.5);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.95, 0.95, 0.93);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.82, 0.82, 0.80);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.60, 0.60, 0.58);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_rectangle(cr, 36.0, -3.5, 8.0, 7.0);
    setColour(cr, hex(0x0A3E70));
    cairo_fill(cr);
    cairo_restore(cr);
}

void paintCalibration(cairo_t* cr, int frame, int width)
{
    // Letter zones G 0-13, S 14-25, I 26-37; then the mode name, then (wide form) the sentence.
    const double centres[3] = {7.0, 20.0, 32.0};
    for (int i = 0; i < 3; ++i) {
        const bool on = i == frame;
        if (on) {
            roundedRect(cr, centres[i] - 5.5, 0.5, 11.0, 10.0, 2.0);
            setColour(cr, palette::kCaption, 0.9);
            cairo_fill(cr);
        } else {
            roundedRect(cr, centres[i] - 5.5, 0.5, 11.0, 10.0, 2.0);
            cairo_set_line_width(cr, 1.0);
            setColour(cr, palette::kCaptionDim, 0.6);
            cairo_stroke(cr);
        }
        TextStyle letter{Face::caption, 8.0, on ? hex(0x1A1A1A) : palette::kCaptionDim};
        drawTextCentred(cr, kModeLetters[i], centres[i], 5.5, letter);
    }
    TextStyle name{Face::caption, 7.5, palette::kCaption, 1.0, 0.6};
    drawEngraved(cr, kModeNames[frame], 41.0, 8.5, name);
    if (width > editor::back::kCalibrationNarrowWidth) {
        TextStyle sentence{Face::label, 8.0, palette::kCaption, 0.95, 0.1};
        drawEngraved(cr, calibrationSentence(frame), 92.0, 8.5, sentence);
    }
}

void paintCalibrationSentence(cairo_t* cr, int frame)
{
    TextStyle sentence{Face::label, 8.0, palette::kCaption, 0.95, 0.1};
    drawEngraved(cr, calibrationSentence(frame), 12.0, 8.5, sentence);
}

void paintReferenceCaption(cairo_t* cr, int frame)
{
    TextStyle t{Face::caption, 7.5, frame == 0 ? palette::kCaption : hex(0xFFFFFF), 1.0, 0.6};
    drawEngraved(cr, "REFERENCE", 8.0, 8.5, t);
    // The reference text is drawn by the control to the right of x = 81.
    displayWell(cr, 79.0, 0.0, 54.0, 11.0);
}

void paintMeterSelector(cairo_t* cr, int frame)
{
    constexpr double kArrow = editor::front::kMeterSelectorArrowWidth;
    const double w = 149.0;
    const double h = 23.0;
    for (int side = 0; side < 2; ++side) {
        const double x = side == 0 ? 0.5 : w - kArrow - 0.5;
        const bool lit = (side == 0 && frame == 1) || (side == 1 && frame == 2);
        rubberCap(cr, x + 1.0, 2.5, kArrow - 2.0, h - 5.0, false);
        triangle(cr, x + kArrow / 2.0, 11.5, 8.0, side == 0, lit ? hex(0xFFFFFF) : palette::kCaption,
                 lit ? 1.0 : 0.75);
        if (lit) {
            cairo_pattern_t* halo = cairo_pattern_create_radial(x + kArrow / 2.0, 11.5, 1, x + kArrow / 2.0, 11.5, 10);
            cairo_pattern_add_color_stop_rgba(halo, 0.0, 1, 1, 1, 0.25);
            cairo_pattern_add_color_stop_rgba(halo, 1.0, 1, 1, 1, 0.0);
            cairo_set_source(cr, halo);
            cairo_arc(cr, x + kArrow / 2.0, 11.5, 10, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(halo);
        }
    }
    // The middle stays see-through: the panel prints the meter's name there.
}

void paintFilterInOut(cairo_t* cr, int frame)
{
    rubberCap(cr, 0.5, 0.5, 30.0, 29.0, frame != 0);
    const double dy = frame != 0 ? 1.0 : 0.0;
    const double brightness = frame == 2 ? 1.0 : (frame == 1 ? 0.35 : 0.0);
    led(cr, 15.5, 9.0 + dy, 2.6, palette::kProcessGreen, brightness, frame == 2);
    TextStyle t{Face::caption, 7.0, palette::kCaption, 1.0, 0.3, Align::centre};
    drawText(cr, "IN", 15.5, 23.0 + dy, t);
}

void paintFilterOn(cairo_t* cr, int frame)
{
    const bool on = frame == 1;
    rubberCap(cr, 0.5, 0.5, 35.0, 11.0, on);
    const double dy = on ? 1.0 : 0.0;
    led(cr, 6.0, 5.5 + dy, 1.8, palette::kProcessGreen, on ? 1.0 : 0.0, on);
    TextStyle t{Face::caption, 7.0, palette::kCaption, 1.0, 0.4};
    drawText(cr, "ON", 14.0, 8.5 + dy, t);
}

void paintFrequencyHandle(cairo_t* cr)
{
    roundedRect(cr, 2.0, 2.0, 16.0, 29.0, 2.0);
    setColour(cr, hex(0x000000), 0.5);
    cairo_fill(cr);
    roundedRect(cr, 1.5, 1.0, 16.0, 29.0, 2.0);
    cairo_pattern_t* p = cairo_pattern_create_linear(1.5, 0, 17.5, 0);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.30, 0.31, 0.33);
    cairo_pattern_add_color_stop_rgb(p, 0.48, 0.15, 0.16, 0.17);
    cairo_pattern_add_color_stop_rgb(p, 0.52, 0.11, 0.11, 0.12);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.21, 0.22, 0.23);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    setColour(cr, hex(0xEDE6D3));
    cairo_rectangle(cr, 9.0, 3.0, 1.0, 25.0);
    cairo_fill(cr);
}

void paintOpenClose(cairo_t* cr, int frame)
{
    const Rgb grey = hex(0xBEBAB4);
    if (frame == 0) {
        triangle(cr, 5.5, 5.5, 7.0, false, grey, 1.0);
    } else {
        cairo_move_to(cr, 5.5, 8.5);
        cairo_line_to(cr, 1.5, 3.0);
        cairo_line_to(cr, 9.5, 3.0);
        cairo_close_path(cr);
        setColour(cr, grey);
        cairo_fill(cr);
    }
}

void paintStripCaption(cairo_t* cr, int width, const std::string& text)
{
    TextStyle t{Face::caption, 7.0, palette::kCaption, 1.0, 0.5, Align::centre};
    drawEngravedCentred(cr, text, width / 2.0, 5.0, t);
}

void paintFilterLamp(cairo_t* cr, int frame)
{
    const double brightness = frame == 2 ? 1.0 : (frame == 1 ? 0.35 : 0.0);
    led(cr, 6.0, 6.0, 3.2, palette::kProcessGreen, brightness, false);
}

void paintSlopeSwitch(cairo_t* cr, int frame)
{
    slideSwitch(cr, 1.5, 6.5, 26.0, 11.0, 2, frame);
}

void paintLagTime(cairo_t* cr, int layer)
{
    constexpr double kTop = 14.0;
    if (layer == 0) {
        // Housing with a light window behind the three digits (drawn black by the control).
        roundedRect(cr, 0.5, 0.5, 25.0, 38.0, 3.0);
        setColour(cr, hex(0x141517));
        cairo_fill(cr);
        recess(cr, 0.5, 0.5, 25.0, 38.0, 1);
        roundedRect(cr, 2.5, kTop + 1.0, 22.0, 13.0, 1.5);
        setColour(cr, hex(0xD8D0B6));
        cairo_fill(cr);
        cairo_set_line_width(cr, 1.0);
        setColour(cr, hex(0x000000), 0.35);
        for (double x : {10.5, 17.5}) {
            cairo_move_to(cr, x, kTop + 2.5);
            cairo_line_to(cr, x, kTop + 12.5);
            cairo_stroke(cr);
        }
    } else if (layer == 1) {
        // Glass over the window: a faint sheen on its upper half.
        cairo_pattern_t* g = cairo_pattern_create_linear(0, kTop + 1.0, 0, kTop + 14.0);
        cairo_pattern_add_color_stop_rgba(g, 0.0, 1, 1, 1, 0.35);
        cairo_pattern_add_color_stop_rgba(g, 0.45, 1, 1, 1, 0.08);
        cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, 0.0);
        roundedRect(cr, 2.5, kTop + 1.0, 22.0, 13.0, 1.5);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        roundedRect(cr, 3.0, kTop + 1.5, 21.0, 12.0, 1.5);
        cairo_set_line_width(cr, 1.0);
        setColour(cr, hex(0x000000), 0.5);
        cairo_stroke(cr);
    } else {
        // Up and down arrows in the click zones above and below the window.
        const Rgb grey = hex(0xBEBAB4);
        cairo_move_to(cr, 13.0, 4.0);
        cairo_line_to(cr, 18.0, 10.5);
        cairo_line_to(cr, 8.0, 10.5);
        cairo_close_path(cr);
        setColour(cr, grey);
        cairo_fill(cr);
        cairo_move_to(cr, 13.0, 35.0);
        cairo_line_to(cr, 18.0, 28.5);
        cairo_line_to(cr, 8.0, 28.5);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

void paintVuTypeSwitch(cairo_t* cr, int frame)
{
    TextStyle lit{Face::caption, 9.0, palette::kVuAccent, 1.0, 0.0, Align::centre};
    TextStyle dim = lit;
    dim.colour = palette::kCaptionDim;
    drawEngravedCentred(cr, "A", 12.0, 17.0, frame == 0 ? lit : dim);
    drawEngravedCentred(cr, "B", 53.0, 17.0, frame == 1 ? lit : dim);
    toggle(cr, 32.5, 17.5, frame == 0 ? M_PI * 0.93 : M_PI * 0.07, 12.0);
    TextStyle cap = kCaptionStyle;
    drawEngravedCentred(cr, "NEEDLE", 32.5, 35.5, cap);
}

void paintMidSwitch(cairo_t* cr, int frame, int height)
{
    const double top = std::round((height - 41) / 2.0);
    TextStyle lit{Face::caption, 7.5, palette::kCaption, 1.0, 0.2, Align::centre};
    TextStyle dim = lit;
    dim.colour = palette::kCaptionDim;
    const char* const names[3] = {"0", "\u22123", "\u22126"};
    for (int i = 0; i < 3; ++i)
        drawEngravedCentred(cr, names[i], 12.0 + i * 23.0, top + 5.5, i == frame ? lit : dim);
    slideSwitch(cr, 2.5, top + 12.5, 65.0, 12.0, 3, frame);
    drawEngravedCentred(cr, "MID dB", 35.0, top + 34.0, kCaptionStyle);
}

void paintMeasureSwitch(cairo_t* cr, int frame)
{
    TextStyle lit{Face::caption, 7.0, palette::kCaption, 1.0, 0.5, Align::centre};
    TextStyle dim = lit;
    dim.colour = palette::kCaptionDim;
    drawEngravedCentred(cr, "MEASURE", 27.0, 8.0, lit);
    drawEngravedCentred(cr, "PRECISE", 27.0, 25.0, frame == 1 ? lit : dim);
    toggle(cr, 27.0, 51.0, frame == 1 ? M_PI * 0.5 : -M_PI * 0.5, 14.0);
    drawEngravedCentred(cr, "CPU SAFE", 27.0, 80.0, frame == 0 ? lit : dim);
}

void paintLedUnitSwitch(cairo_t* cr, int frame)
{
    constexpr double cx = 36.0;
    TextStyle lit{Face::caption, 7.5, palette::kCaption, 1.0, 0.2, Align::centre};
    TextStyle dim = lit;
    dim.colour = palette::kCaptionDim;
    drawEngravedCentred(cr, "dBFS", cx, 7.0, frame == 1 ? lit : dim);
    toggle(cr, cx, 28.5, frame == 1 ? M_PI * 0.5 : -M_PI * 0.5, 11.0);
    drawEngravedCentred(cr, "dBref", cx, 51.0, frame == 0 ? lit : dim);
}

void paintOverLed(cairo_t* cr, int frame)
{
    const Rgb red = hex(0xFF2A1A);
    const double brightness = frame == 2 ? 1.0 : (frame == 1 ? 0.42 : 0.0);
    led(cr, 10.0, 10.0, 4.5, red, brightness, frame == 2);
}

void paintChannelCaption(cairo_t* cr, const std::string& text, const Rgb& accent)
{
    TextStyle t{Face::caption, 8.0, palette::kCaption, 1.0, 1.6, Align::centre};
    drawEngravedCentred(cr, text, 33.0, 9.0, t);
    cairo_rectangle(cr, 33.0 - 5.0, 15.0, 10.0, 1.0);
    setColour(cr, accent, 0.9);
    cairo_fill(cr);
}

}  // namespace artgen
