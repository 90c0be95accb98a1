#include "tools/valdora-meter/PlotWriter.h"

#include "tools/valdora-meter/Decibels.h"
#include "tools/valdora-meter/LoudnessMeter.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace valdorameter {

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 672;
constexpr double kLeft = 78.0;
constexpr double kRight = kWidth - 24.0;
constexpr double kMeterTop = 126.0;
constexpr double kMeterBottom = 410.0;
constexpr double kLoudnessTop = 460.0;
constexpr double kLoudnessBottom = 640.0;
constexpr double kMeterLowDb = -30.0;
constexpr double kMeterHighDb = 15.0;
constexpr double kLoudnessLowLufs = -50.0;
constexpr double kLoudnessHighLufs = 0.0;
constexpr double kOverBand = 14.0;  // strip at the top of the meter pane where overs are marked
constexpr double kFontPx = 13.0;

struct Colour {
    double r, g, b;
};

constexpr Colour kInk{0.12, 0.12, 0.14};
constexpr Colour kGrid{0.86, 0.87, 0.89};
constexpr Colour kPaneBack{0.975, 0.978, 0.985};
constexpr Colour kReference{0.10, 0.10, 0.10};
constexpr Colour kOver{0.85, 0.08, 0.08};
constexpr Colour kPass{0.10, 0.55, 0.20};
constexpr Colour kLoudnessCurve{0.45, 0.20, 0.65};
constexpr Colour kTargetBand{0.20, 0.65, 0.35};
constexpr std::array<Colour, kMeterCount> kMeterColours{{{0.15, 0.60, 0.25}, {0.18, 0.40, 0.85}, {0.90, 0.48, 0.0}}};
constexpr std::array<const char*, kMeterCount> kMeterNames{"VU3", "RMS3", "PPM3"};

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

void colour(cairo_t* cr, Colour c, double alpha = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void text(cairo_t* cr, double x, double y, const std::string& words, double size = kFontPx, bool bold = false,
          double alignRight = 0.0)
{
    cairo_select_font_face(cr, "Sans", CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, words.c_str(), &extents);
    cairo_move_to(cr, x - alignRight * extents.x_advance, y);
    cairo_show_text(cr, words.c_str());
}

double textWidth(cairo_t* cr, const std::string& words, double size = kFontPx, bool bold = false)
{
    cairo_select_font_face(cr, "Sans", CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, words.c_str(), &extents);
    return extents.x_advance;
}

std::string format(const char* pattern, double value)
{
    char out[64];
    std::snprintf(out, sizeof out, pattern, value);
    return out;
}

// Rounded first, so a level just below zero does not read "-0.0".
std::string levelText(double db, const char* unit)
{
    return std::isfinite(db) ? format("%+.1f ", std::round(db * 10.0) / 10.0 + 0.0) + unit
                             : std::string("-inf ") + unit;
}

std::string clockText(double seconds)
{
    const auto whole = static_cast<long long>(std::floor(seconds + 1e-9));
    const double fraction = seconds - static_cast<double>(whole);
    char out[32];
    if (whole >= 60)
        std::snprintf(out, sizeof out, "%lld:%02lld", whole / 60, whole % 60);
    else if (fraction > 1e-6)
        std::snprintf(out, sizeof out, "%.1f s", seconds);
    else
        std::snprintf(out, sizeof out, "%lld s", whole);
    return out;
}

double timeStep(double durationSec)
{
    constexpr double kSteps[] = {0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200};
    for (double step : kSteps)
        if (durationSec / step <= 12.0)
            return step;
    return 14400.0;
}

class Axes {
public:
    Axes(double durationSec, double top, double bottom, double low, double high)
        : duration_(std::max(durationSec, 1e-3)), top_(top), bottom_(bottom), low_(low), high_(high)
    {
    }
    double x(double sec) const { return kLeft + (kRight - kLeft) * sec / duration_; }
    double y(double value) const
    {
        const double clamped = std::clamp(value, low_, high_);
        return bottom_ - (bottom_ - top_) * (clamped - low_) / (high_ - low_);
    }
    double top() const { return top_; }
    double bottom() const { return bottom_; }

private:
    double duration_, top_, bottom_, low_, high_;
};

void drawPane(cairo_t* cr, const Axes& axes, double durationSec, double low, double high, double stepDb,
              const char* unit, const char* title, double titleRaise)
{
    colour(cr, kPaneBack);
    cairo_rectangle(cr, kLeft, axes.top(), kRight - kLeft, axes.bottom() - axes.top());
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.0);
    for (double v = low; v <= high + 1e-9; v += stepDb) {
        colour(cr, kGrid);
        cairo_move_to(cr, kLeft, std::round(axes.y(v)) + 0.5);
        cairo_line_to(cr, kRight, std::round(axes.y(v)) + 0.5);
        cairo_stroke(cr);
        colour(cr, kInk);
        text(cr, kLeft - 8, axes.y(v) + 4.5, std::fabs(v) < 1e-9 ? std::string("0") : format("%+.0f", v), kFontPx,
             false, 1.0);
    }
    const double step = timeStep(durationSec);
    for (double t = 0.0; t <= durationSec + 1e-9; t += step) {
        colour(cr, kGrid);
        cairo_move_to(cr, std::round(axes.x(t)) + 0.5, axes.top());
        cairo_line_to(cr, std::round(axes.x(t)) + 0.5, axes.bottom());
        cairo_stroke(cr);
        colour(cr, kInk);
        // Labels centred on their line, the first and one at the right edge kept inside the pane.
        const double align = t <= 0.0 ? 0.0 : axes.x(t) > kRight - 20.0 ? 1.0 : 0.5;
        text(cr, axes.x(t), axes.bottom() + 16, clockText(t), kFontPx, false, align);
    }
    colour(cr, kInk);
    text(cr, kLeft, axes.top() - titleRaise, title, kFontPx + 1, true);
    text(cr, kLeft - 8, axes.top() - 8, unit, kFontPx, false, 1.0);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, kLeft + 0.5, axes.top() + 0.5, kRight - kLeft - 1, axes.bottom() - axes.top() - 1);
    cairo_stroke(cr);
}

void drawCurve(cairo_t* cr, const Axes& axes, const std::vector<float>& values, double stepSec, bool inDb,
               double floor)
{
    if (values.empty())
        return;
    for (size_t i = 0; i < values.size(); ++i) {
        const double raw = inDb ? decibels(values[i]) : static_cast<double>(values[i]);
        const double v = std::isfinite(raw) ? raw : floor;
        const double x = axes.x(static_cast<double>(i + 1) * stepSec);
        if (i == 0)
            cairo_move_to(cr, axes.x(0.0), axes.y(v));
        cairo_line_to(cr, x, axes.y(v));
    }
    cairo_stroke(cr);
}

void drawTitle(cairo_t* cr, const FileVerdict& verdict)
{
    const FileMeasurement& file = verdict.measurement;
    colour(cr, kInk);
    text(cr, 16, 26, file.path, 17, true);
    const bool pass = verdict.failures.empty();
    const std::string summary = format("%.0f Hz", file.rateHz) + (file.channels == 1 ? ", mono, " : ", stereo, ") +
                                clockText(file.durationSec()) + "   integrated " +
                                levelText(file.loudness.integratedLufs, "LUFS") + "   range " +
                                format("%.1f LU", file.loudness.rangeLu) + "   true peak " +
                                levelText(decibels(file.truePeak), "dBTP") + "   sample peak " +
                                levelText(decibels(file.samplePeak), "dBFS");
    text(cr, 16, 50, summary, kFontPx + 1);
    std::string verdictText = pass ? "PASS" : "FAIL: ";
    for (size_t i = 0; i < verdict.failures.size(); ++i)
        verdictText += (i ? "; " : "") + verdict.failures[i];
    colour(cr, pass ? kPass : kOver);
    text(cr, 16, 72, verdictText, kFontPx + 1, true);
}

void drawMeters(cairo_t* cr, const FileVerdict& verdict)
{
    const FileMeasurement& file = verdict.measurement;
    const double duration = file.durationSec();
    const Axes axes(duration, kMeterTop, kMeterBottom, kMeterLowDb, kMeterHighDb);
    drawPane(cr, axes, duration, kMeterLowDb, kMeterHighDb, 5.0, "dB",
             "Meters: highest reading of both channels, dB relative to each meter's reference", 30.0);
    // The reference: 0 dB on every meter.
    colour(cr, kReference);
    cairo_set_line_width(cr, 2.0);
    cairo_move_to(cr, kLeft, axes.y(0.0));
    cairo_line_to(cr, kRight, axes.y(0.0));
    cairo_stroke(cr);
    text(cr, kRight - 6, axes.y(0.0) - 5, "reference", kFontPx, true, 1.0);

    // Over marks: a red band along the top, one tick per over in the meter's colour.
    colour(cr, kOver, 0.10);
    cairo_rectangle(cr, kLeft + 1, axes.top() + 1, kRight - kLeft - 2, kOverBand);
    cairo_fill(cr);
    double legendX = kLeft + 8;
    for (int meter = 0; meter < kMeterCount; ++meter) {
        const MeterMeasurement& measured = file.meters[static_cast<size_t>(meter)];
        if (!measured.measured)
            continue;
        colour(cr, kMeterColours[static_cast<size_t>(meter)]);
        cairo_set_line_width(cr, 1.6);
        drawCurve(cr, axes, measured.curve, file.plotStepSec, true, kMeterLowDb);
        // Each over: a red tick across the band and a faint line down the pane.
        for (double t : measured.overTimesSec) {
            colour(cr, kOver, 0.25);
            cairo_set_line_width(cr, 1.0);
            cairo_move_to(cr, axes.x(t), axes.top() + 1 + kOverBand);
            cairo_line_to(cr, axes.x(t), axes.bottom());
            cairo_stroke(cr);
            colour(cr, kOver);
            cairo_set_line_width(cr, 3.0);
            cairo_move_to(cr, axes.x(t), axes.top() + 1);
            cairo_line_to(cr, axes.x(t), axes.top() + 1 + kOverBand);
            cairo_stroke(cr);
        }
        // Legend above the pane, clear of the curves.
        const size_t overs = measured.overTimesSec.size();
        const std::string label = std::string(kMeterNames[static_cast<size_t>(meter)]) + "  reference " +
                                  format("%.1f dBFS", measured.referenceDbfs) + ", max " +
                                  levelText(decibels(measured.maxValue), "dB") + ", " + std::to_string(overs) +
                                  (overs == 1 ? " over" : " overs");
        const double y = axes.top() - 4;
        colour(cr, kMeterColours[static_cast<size_t>(meter)]);
        cairo_rectangle(cr, legendX, y - 9, 18, 4);
        cairo_fill(cr);
        colour(cr, kInk);
        text(cr, legendX + 24, y - 3, label);
        legendX += 24 + textWidth(cr, label) + 22;
    }
    colour(cr, kOver);
    text(cr, kRight - 6, axes.top() + kOverBand - 2, "overs", kFontPx - 1, true, 1.0);
}

void drawLoudness(cairo_t* cr, const FileVerdict& verdict, const DeliveryLimits& limits)
{
    const FileMeasurement& file = verdict.measurement;
    const double duration = file.durationSec();
    const Axes axes(duration, kLoudnessTop, kLoudnessBottom, kLoudnessLowLufs, kLoudnessHighLufs);
    drawPane(cr, axes, duration, kLoudnessLowLufs, kLoudnessHighLufs, 10.0, "LUFS",
             "Short-term loudness (3 s window)", 8.0);
    if (limits.loudness) {
        const double low = limits.loudness->lufs - limits.loudness->toleranceLu;
        const double high = limits.loudness->lufs + limits.loudness->toleranceLu;
        colour(cr, kTargetBand, 0.22);
        cairo_rectangle(cr, kLeft + 1, axes.y(high) - 1, kRight - kLeft - 2, axes.y(low) - axes.y(high) + 2);
        cairo_fill(cr);
        colour(cr, kTargetBand);
        text(cr, kRight - 6, axes.y(high) - 4, "target " + format("%.1f LUFS", limits.loudness->lufs), kFontPx,
             true, 1.0);
    }
    if (std::isfinite(file.loudness.integratedLufs)) {
        colour(cr, kInk);
        const double dash[] = {6.0, 4.0};
        cairo_set_dash(cr, dash, 2, 0.0);
        cairo_set_line_width(cr, 1.2);
        cairo_move_to(cr, kLeft, axes.y(file.loudness.integratedLufs));
        cairo_line_to(cr, kRight, axes.y(file.loudness.integratedLufs));
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0.0);
        const double lineY = axes.y(file.loudness.integratedLufs);
        const double labelY = lineY - axes.top() < 20.0 ? lineY + 16.0 : lineY - 5.0;
        text(cr, kLeft + 8, labelY, "integrated " + levelText(file.loudness.integratedLufs, "LUFS"), kFontPx, true);
    }
    colour(cr, kLoudnessCurve);
    cairo_set_line_width(cr, 1.8);
    drawCurve(cr, axes, file.loudness.shortTermCurve, LoudnessMeter::kStepSec, false, kLoudnessLowLufs);
}

}  // namespace

void writePlot(const std::string& path, const FileVerdict& verdict, const DeliveryLimits& limits)
{
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight), cairo_surface_destroy);
    Context cr(cairo_create(surface.get()), cairo_destroy);
    cairo_set_source_rgb(cr.get(), 1.0, 1.0, 1.0);
    cairo_paint(cr.get());
    drawTitle(cr.get(), verdict);
    drawMeters(cr.get(), verdict);
    drawLoudness(cr.get(), verdict, limits);
    cairo_surface_flush(surface.get());
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write plot '" + path + "'");
}

}  // namespace valdorameter
