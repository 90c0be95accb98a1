#include "MeterFaces.h"

#include "Draw.h"
#include "editor/EditorGeometry.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace artgen {
namespace {

using editor::MeterViewGeometry;

double dbToReading(double dB) { return std::pow(10.0, dB / 20.0); }

void tick(cairo_t* cr, const MeterViewGeometry& g, double angle, double rIn, double rOut, double width,
          const Rgb& colour)
{
    const editor::NeedlePoint a = editor::needlePoint(g, angle, rIn);
    const editor::NeedlePoint b = editor::needlePoint(g, angle, rOut);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    setColour(cr, colour);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_stroke(cr);
}

void numeral(cairo_t* cr, const MeterViewGeometry& g, double angle, double radius, const std::string& text,
             const TextStyle& style)
{
    const editor::NeedlePoint p = editor::needlePoint(g, angle, radius);
    drawTextCentred(cr, text, p.x, p.y, style);
}

// Numerals stand outside everything the needle and the hold mark sweep: the
// radius at which the numeral that reaches furthest towards the pivot (by its
// box at its angle) still keeps `kNumeralClearancePx` from the needle's tip.
constexpr double kNumeralClearancePx = 1.5;

struct Numeral {
    double angle;
    std::string text;
};

double numeralRadius(cairo_t* cr, const MeterViewGeometry& g, const std::vector<Numeral>& numerals,
                     const TextStyle& style)
{
    const double halfHeight = capHeight(cr, style) / 2.0;
    double reach = 0.0;
    for (const Numeral& n : numerals) {
        const double halfWidth = textWidth(cr, n.text, style) / 2.0;
        reach = std::max(reach, halfWidth * std::abs(std::cos(n.angle)) + halfHeight * std::abs(std::sin(n.angle)));
    }
    return std::max(g.r1, g.r3) + kNumeralClearancePx + reach;
}

// A band between two radii from angle a0 to a1 (radians, counter-clockwise).
void band(cairo_t* cr, const MeterViewGeometry& g, double a0, double a1, double rIn, double rOut,
          const Rgb& colour, double alpha = 1.0)
{
    const double cx = g.pivotX + 0.5;
    const double cy = g.pivotY + 0.5;
    const double lo = std::min(a0, a1);
    const double hi = std::max(a0, a1);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, rOut, -hi, -lo);
    cairo_arc_negative(cr, cx, cy, rIn, -lo, -hi);
    cairo_close_path(cr);
    setColour(cr, colour, alpha);
    cairo_fill(cr);
}

void arcLine(cairo_t* cr, const MeterViewGeometry& g, double a0, double a1, double radius, double width,
             const Rgb& colour)
{
    band(cr, g, a0, a1, radius - width / 2.0, radius + width / 2.0, colour);
}

std::string signedDb(int dB)
{
    if (dB > 0)
        return "+" + std::to_string(dB);
    if (dB < 0)
        return "\u2212" + std::to_string(-dB);  // a true minus sign reads better than a hyphen
    return "0";
}

// ------------------------------------------------------------------ VU

void vuPaper(cairo_t* cr, const MeterViewGeometry& g, const Rgb& light)
{
    // Backlit paper: brightest around the middle of the scale, falling off to the corners.
    cairo_pattern_t* p = cairo_pattern_create_radial(g.pivotX, 58.0, 10.0, g.pivotX, 70.0, 175.0);
    const Rgb edge = scale(light, 0.74);
    const Rgb mid = scale(light, 0.93);
    cairo_pattern_add_color_stop_rgb(p, 0.0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 0.55, mid.r, mid.g, mid.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, edge.r, edge.g, edge.b);
    cairo_rectangle(cr, 0, 0, g.width, g.height);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void vuCover(cairo_t* cr, const MeterViewGeometry& g)
{
    // The bakelite lip in front of the needle root.
    const double top = g.height - g.coverHeight;
    fillGradient(cr, 0, top, g.width, g.coverHeight, hex(0x2A2B2E), hex(0x141517));
    cairo_set_line_width(cr, 1.0);
    setColour(cr, hex(0x55585D));
    cairo_move_to(cr, 0, top + 0.5);
    cairo_line_to(cr, g.width, top + 0.5);
    cairo_stroke(cr);
    // Soft shadow the lip casts up onto the paper.
    cairo_pattern_t* s = cairo_pattern_create_linear(0, top - 5, 0, top);
    cairo_pattern_add_color_stop_rgba(s, 0.0, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(s, 1.0, 0, 0, 0, 0.22);
    cairo_rectangle(cr, 0, top - 5, g.width, 5);
    cairo_set_source(cr, s);
    cairo_fill(cr);
    cairo_pattern_destroy(s);
}

}  // namespace

void paintVuFace(cairo_t* cr, int backlightStep)
{
    const MeterViewGeometry& g = editor::kVuView;
    const auto angle = [](double reading) { return editor::vuAngleRadians(static_cast<float>(reading)); };
    vuPaper(cr, g, kVuBacklight[backlightStep]);

    constexpr double kArc = 117.0;  // the scale line, just inside the needle tip
    const double zeroAngle = angle(1.0);
    const double lowAngle = angle(dbToReading(-20.0));
    const double topAngle = angle(dbToReading(3.0));
    // Main arc, then the red zone above 0 VU as a heavier band outside it.
    arcLine(cr, g, zeroAngle, lowAngle, kArc, 1.2, palette::kVuPrint);
    band(cr, g, topAngle, zeroAngle, kArc - 0.6, kArc + 4.5, palette::kVuRed);

    struct Mark {
        int vu;
        bool numbered;
    };
    const Mark marks[] = {{-20, true}, {-15, false}, {-10, true}, {-7, true}, {-6, false}, {-5, true},
                          {-4, false}, {-3, true},   {-2, true},  {-1, true}, {0, true},   {1, true},
                          {2, true},   {3, true}};
    TextStyle numerals{Face::caption, 9.0, palette::kVuPrint};
    std::vector<Numeral> texts;
    for (const Mark& m : marks)
        if (m.numbered)
            texts.push_back({angle(dbToReading(m.vu)), std::to_string(std::abs(m.vu))});
    const double numeralAt = numeralRadius(cr, g, texts, numerals);
    for (const Mark& m : marks) {
        const double a = angle(dbToReading(m.vu));
        const Rgb& ink = m.vu > 0 ? palette::kVuRed : palette::kVuPrint;
        if (m.numbered)
            tick(cr, g, a, kArc - 0.6, kArc + 8.0, 2.0, ink);
        else
            tick(cr, g, a, kArc - 0.6, kArc + 5.0, 1.0, ink);
        if (m.numbered) {
            numerals.colour = ink;
            numeral(cr, g, a, numeralAt, std::to_string(std::abs(m.vu)), numerals);
        }
    }
    // Sign legends beyond the ends of the scale, as on studio VU faces, out
    // with the numerals where neither the resting nor the pinned needle reaches.
    constexpr double kSignOffsetRad = 0.12;
    TextStyle sign{Face::caption, 11.0, palette::kVuPrint};
    numeral(cr, g, angle(dbToReading(-20.0)) + kSignOffsetRad, numeralAt, "\u2212", sign);
    sign.colour = palette::kVuRed;
    numeral(cr, g, angle(dbToReading(3.0)) - kSignOffsetRad, numeralAt, "+", sign);

    // Percentage of the reference level, inside the arc.
    constexpr double kPercentArc = kArc - 6.0;
    TextStyle percent{Face::label, 7.0, scale(palette::kVuPrint, 1.0), 0.85};
    for (int p = 0; p <= 100; p += 10) {
        const double a = angle(p / 100.0);
        tick(cr, g, a, kArc - 0.6, kArc - 4.0, p % 20 == 0 ? 1.2 : 0.8, palette::kVuPrint);
        if (p % 20 == 0 && p > 0)
            numeral(cr, g, a, kPercentArc - 5.0, std::to_string(p), percent);
    }
    numeral(cr, g, angle(0.0) - 0.02, kPercentArc - 5.0, "%", percent);

    TextStyle legend{Face::legend, 19.0, palette::kVuPrint};
    drawTextCentred(cr, "VU", g.pivotX + 0.5, 84.0, legend);
    // The over lamp sits low on the right; name it above.
    TextStyle over{Face::caption, 7.0, palette::kVuRed, 1.0, 0.6};
    drawTextCentred(cr, "PEAK", (g.led.left + g.led.right) / 2.0, g.led.top - 6.0, over);
    vuCover(cr, g);
}

void paintRmsFace(cairo_t* cr)
{
    const MeterViewGeometry& g = editor::kRmsView;
    const auto angle = [](double dB) { return editor::rmsAngleRadians(static_cast<float>(dbToReading(dB))); };
    fillGradient(cr, 0, 0, g.width, g.height, palette::kRmsFaceTop, palette::kRmsFaceBottom);
    // A faint glow behind the scale so the dark face does not look flat.
    cairo_pattern_t* glow = cairo_pattern_create_radial(g.pivotX, 60.0, 5.0, g.pivotX, 60.0, 150.0);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 0.35, 0.7, 0.65, 0.10);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 0.35, 0.7, 0.65, 0.0);
    cairo_rectangle(cr, 0, 0, g.width, g.height);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);

    constexpr double kArc = 106.0;
    arcLine(cr, g, angle(6.0), angle(-40.0), kArc, 1.0, palette::kRmsPrint);
    band(cr, g, angle(6.0), angle(0.0), kArc - 0.5, kArc + 3.5, palette::kRmsWarm);

    TextStyle numerals{Face::caption, 8.5, palette::kRmsPrint};
    const auto isMajor = [](int dB) {
        return dB == -40 || dB == -30 || dB == -20 || dB == -15 || dB == -10 || dB == -5 || dB == 0 || dB == 3 ||
               dB == 6;
    };
    std::vector<Numeral> texts;
    for (int dB = -40; dB <= 6; ++dB)
        if (isMajor(dB))
            texts.push_back({angle(dB), signedDb(dB)});
    const double numeralAt = numeralRadius(cr, g, texts, numerals);
    for (int dB = -40; dB <= 6; ++dB) {
        const bool major = isMajor(dB);
        const bool minor = dB >= -20 || dB % 5 == 0;
        if (!major && !minor)
            continue;
        const Rgb& ink = dB > 0 ? palette::kRmsWarm : palette::kRmsPrint;
        const double a = angle(dB);
        tick(cr, g, a, kArc - 0.5, kArc + (major ? 7.5 : 4.0), major ? 2.0 : 1.0, ink);
        if (major) {
            numerals.colour = ink;
            numeral(cr, g, a, numeralAt, signedDb(dB), numerals);
        }
    }
    TextStyle legend{Face::caption, 9.0, palette::kRmsPrint, 0.9, 1.2};
    drawTextCentred(cr, "dB RMS", g.pivotX + 0.5, 76.0, legend);
    TextStyle over{Face::caption, 7.0, palette::kRmsWarm, 1.0, 0.6};
    drawTextCentred(cr, "OVER", (g.led.left + g.led.right) / 2.0, g.led.bottom + 6.0, over);
}

void paintPpmFace(cairo_t* cr)
{
    const MeterViewGeometry& g = editor::kPpmView;
    const auto angle = [](double dB) { return editor::ppmAngleRadians(static_cast<float>(dbToReading(dB))); };
    cairo_rectangle(cr, 0, 0, g.width, g.height);
    setColour(cr, palette::kPpmFace);
    cairo_fill(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(g.pivotX, 55.0, 5.0, g.pivotX, 60.0, 150.0);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 1.0, 1.0, 1.0, 0.05);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 1.0, 1.0, 1.0, 0.0);
    cairo_rectangle(cr, 0, 0, g.width, g.height);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);

    // The scale spans the view's whole travel, 150 to 30 degrees.
    constexpr double kArc = 106.0;
    const double lowStop = editor::kPpmMaxAngleRad;
    const double highStop = editor::kPpmMinAngleRad;
    arcLine(cr, g, highStop, lowStop, kArc, 1.0, palette::kPpmPrint);
    band(cr, g, highStop, angle(0.0), kArc - 0.5, kArc + 3.5, palette::kPpmZone);

    TextStyle numerals{Face::caption, 8.5, palette::kPpmPrint};
    std::vector<Numeral> texts;
    for (int dB = -12; dB <= 12; dB += 4)
        texts.push_back({angle(dB), dB == 0 ? "REF" : signedDb(dB)});
    const double numeralAt = numeralRadius(cr, g, texts, numerals);
    for (int dB = -16; dB <= 15; ++dB) {
        const bool major = dB % 4 == 0 && dB > -16;
        const Rgb& ink = dB > 0 ? palette::kPpmZone : palette::kPpmPrint;
        const double a = angle(dB);
        tick(cr, g, a, kArc - 0.5, kArc + (major ? 7.5 : (dB % 2 == 0 ? 5.0 : 3.5)), major ? 2.0 : 1.0, ink);
        if (major && dB != 0) {
            numerals.colour = ink;
            numeral(cr, g, a, numeralAt, signedDb(dB), numerals);
        }
    }
    // The reference: a heavier mark and its own legend.
    const double ref = angle(0.0);
    tick(cr, g, ref, kArc - 6.0, kArc + 9.0, 2.6, palette::kPpmPrint);
    TextStyle refStyle{Face::caption, 9.0, palette::kPpmPrint, 1.0, 0.5};
    numeral(cr, g, ref, numeralAt, "REF", refStyle);
    TextStyle legend{Face::caption, 9.0, palette::kPpmPrint, 0.9, 1.2};
    drawTextCentred(cr, "dB PPM", g.pivotX + 0.5, 76.0, legend);
    TextStyle over{Face::caption, 7.0, palette::kPpmZone, 1.0, 0.6};
    drawTextCentred(cr, "OVER", (g.led.left + g.led.right) / 2.0, g.led.bottom + 6.0, over);
}

}  // namespace artgen
