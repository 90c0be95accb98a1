#include "tools/valdora-meter/JsonReport.h"

#include "tools/valdora-meter/Decibels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace valdorameter {

namespace {

constexpr int kSchemaVersion = 1;
constexpr size_t kMaxOverTimes = 100;
constexpr int kRmsMeter = 1;
constexpr const char* kMeterKeys[kMeterCount] = {"vu", "rms", "ppm"};

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

// Two decimals are finer than any meter reads; no value (silence) is null.
std::string number(double value, const char* pattern = "%.2f")
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void writeMeter(std::ostream& out, const MeterMeasurement& meter, bool rms)
{
    out << "{\"reference_dbfs\": " << number(meter.referenceDbfs)
        << ", \"max_value_db\": " << number(decibels(meter.maxValue))
        << ", \"max_hold_db\": " << number(decibels(meter.maxHold));
    if (rms)
        out << ", \"max_rms_db\": " << number(decibels(meter.maxRms));
    out
        << ", \"overs\": " << meter.overTimesSec.size() << ", \"over_times_s\": [";
    const size_t shown = std::min(meter.overTimesSec.size(), kMaxOverTimes);
    for (size_t i = 0; i < shown; ++i)
        out << (i ? ", " : "") << number(meter.overTimesSec[i], "%.3f");
    out << "]}";
}

void writeFile(std::ostream& out, const FileVerdict& verdict)
{
    const FileMeasurement& file = verdict.measurement;
    out << "    {\"file\": " << quoted(file.path);
    if (!file.readable) {
        out << ", \"status\": \"unreadable\", \"error\": " << quoted(file.error) << "}";
        return;
    }
    out << ", \"status\": " << (verdict.failures.empty() ? "\"pass\"" : "\"fail\"") << ", \"failed\": [";
    for (size_t i = 0; i < verdict.failures.size(); ++i)
        out << (i ? ", " : "") << quoted(verdict.failures[i]);
    out << "],\n     \"rate_hz\": " << number(file.rateHz, "%.0f") << ", \"channels\": " << file.channels
        << ", \"frames\": " << file.frames << ", \"duration_s\": " << number(file.durationSec(), "%.3f")
        << ",\n     \"peaks\": {\"sample_peak_dbfs\": " << number(decibels(file.samplePeak))
        << ", \"true_peak_dbtp\": " << number(decibels(file.truePeak)) << "}"
        << ",\n     \"loudness\": {\"integrated_lufs\": " << number(file.loudness.integratedLufs)
        << ", \"range_lu\": " << number(file.loudness.rangeLu)
        << ", \"momentary_max_lufs\": " << number(file.loudness.momentaryMaxLufs)
        << ", \"short_term_max_lufs\": " << number(file.loudness.shortTermMaxLufs) << "}"
        << ",\n     \"meters\": {";
    bool first = true;
    for (int meter = 0; meter < kMeterCount; ++meter) {
        const MeterMeasurement& measured = file.meters[static_cast<size_t>(meter)];
        if (!measured.measured)
            continue;
        out << (first ? "" : ",") << "\n       \"" << kMeterKeys[meter] << "\": ";
        writeMeter(out, measured, meter == kRmsMeter);
        first = false;
    }
    out << "}";
    if (!verdict.plotPath.empty())
        out << ",\n     \"plot\": " << quoted(verdict.plotPath);
    out << "}";
}

void writeLimits(std::ostream& out, const DeliveryLimits& limits)
{
    out << "  \"profile\": " << (limits.profile.empty() ? "null" : quoted(limits.profile)) << ",\n  \"limits\": {";
    out << "\"max_true_peak_dbtp\": " << (limits.maxTruePeakDbtp ? number(*limits.maxTruePeakDbtp) : "null");
    out << ", \"max_overs\": " << (limits.maxOvers ? std::to_string(*limits.maxOvers) : "null");
    out << ", \"loudness_target_lufs\": " << (limits.loudness ? number(limits.loudness->lufs) : "null");
    out << ", \"loudness_tolerance_lu\": " << (limits.loudness ? number(limits.loudness->toleranceLu) : "null");
    out << "},\n";
}

}  // namespace

void writeJsonReport(std::ostream& out, const std::vector<FileVerdict>& files, const DeliveryLimits& limits)
{
    out << "{\n  \"schema\": \"valdora-meter/" << kSchemaVersion << "\",\n";
    writeLimits(out, limits);
    out << "  \"files\": [\n";
    for (size_t i = 0; i < files.size(); ++i) {
        writeFile(out, files[i]);
        out << (i + 1 < files.size() ? ",\n" : "\n");
    }
    out << "  ]\n}\n";
}

}  // namespace valdorameter
