#include "tools/valdora-meter/DeliverySummary.h"

#include "tools/valdora-meter/Decibels.h"
#include "tools/valdora-meter/MeterReport.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace valdorameter {

namespace {

constexpr size_t kOverTimesShown = 5;

std::string level(double db)
{
    if (!std::isfinite(db))
        return "-inf";
    char text[16];
    // Rounded first, so a level just below zero does not read "-0.0".
    std::snprintf(text, sizeof text, "%+.1f", std::round(db * 10.0) / 10.0 + 0.0);
    return text;
}

std::string line(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

std::string line(const char* pattern, ...)
{
    char text[400];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(text, sizeof text, pattern, arguments);
    va_end(arguments);
    return text;
}

std::string overTimes(const std::vector<double>& times)
{
    std::string text;
    for (size_t i = 0; i < times.size() && i < kOverTimesShown; ++i) {
        char one[24];
        std::snprintf(one, sizeof one, "%s%.2f", i ? " " : "", times[i]);
        text += one;
    }
    if (times.size() > kOverTimesShown)
        text += " ...";
    return text;
}

}  // namespace

void printFileSummary(std::ostream& out, const FileVerdict& verdict, bool checked)
{
    const FileMeasurement& file = verdict.measurement;
    out << file.path << '\n';
    out << line("  %.0f Hz, %s, %.2f s\n", file.rateHz, file.channels == 1 ? "mono" : "stereo", file.durationSec());
    out << line("  peaks     sample %s dBFS, true %s dBTP\n", level(decibels(file.samplePeak)).c_str(),
                level(decibels(file.truePeak)).c_str());
    out << line("  loudness  integrated %s LUFS, range %.1f LU, momentary max %s LUFS, short-term max %s LUFS\n",
                level(file.loudness.integratedLufs).c_str(), file.loudness.rangeLu,
                level(file.loudness.momentaryMaxLufs).c_str(), level(file.loudness.shortTermMaxLufs).c_str());
    out << "  meter  reference  max value  max hold  overs  at (s)\n";
    for (int meter = 0; meter < kMeterCount; ++meter) {
        const MeterMeasurement& measured = file.meters[static_cast<size_t>(meter)];
        if (!measured.measured)
            continue;
        std::string row = line("  %-5s %6.1f dBFS %6s dB %6s dB %6zu  %s", MeterReport::meterName(meter),
                               measured.referenceDbfs, level(decibels(measured.maxValue)).c_str(),
                               level(decibels(measured.maxHold)).c_str(), measured.overTimesSec.size(),
                               overTimes(measured.overTimesSec).c_str());
        row.erase(row.find_last_not_of(' ') + 1);
        out << row << '\n';
    }
    if (!checked) {
        out << "DONE  " << file.path << '\n';
        return;
    }
    if (verdict.failures.empty()) {
        out << "PASS  " << file.path << '\n';
        return;
    }
    out << "FAIL  " << file.path << ": ";
    for (size_t i = 0; i < verdict.failures.size(); ++i)
        out << (i ? "; " : "") << verdict.failures[i];
    out << '\n';
}

}  // namespace valdorameter
