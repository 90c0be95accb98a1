#include "tools/valdora-meter/MeterReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace valdorameter {

namespace {

constexpr int kRms = 1;
constexpr int kHeaderEvery = 40;
constexpr const char* kCsvHeader =
    "time_s,meter,l_value,l_hold,l_rms,l_over,r_value,r_hold,r_rms,r_over,l_angle_deg,r_angle_deg";

// Relative to the reference; a VU needle at or below rest has no level.
std::string dbText(double linear)
{
    if (!(linear > 0.0))
        return "-inf";
    char text[16];
    std::snprintf(text, sizeof text, "%+.1f", 20.0 * std::log10(linear));
    return text;
}

const char* overText(int over)
{
    return over > 0 ? "OVER" : over == 0 ? "over" : "-";
}

}  // namespace

MeterReport::MeterReport(std::ostream& terminal, int meter, const std::string& csvPath)
    : terminal_(terminal), meter_(meter), csvWanted_(!csvPath.empty())
{
    if (!csvWanted_)
        return;
    csv_.open(csvPath, std::ios::out | std::ios::trunc);
    if (!csv_)
        throw std::runtime_error("cannot create CSV file '" + csvPath + "'");
    csv_ << kCsvHeader << '\n';
}

const char* MeterReport::meterName(int meter)
{
    return meter == 0 ? "VU3" : meter == kRms ? "RMS3" : "PPM3";
}

void MeterReport::add(double timeSec, const PanelReading& reading)
{
    if (rows_ % kHeaderEvery == 0) {
        terminal_ << "  time s |   L value    hold     rms  over  angle |   R value    hold     rms  over  angle\n";
    }
    ++rows_;
    char line[160];
    const ChannelReading& l = reading.channels[0];
    const ChannelReading& r = reading.channels[1];
    const bool rms = meter_ == kRms;
    std::snprintf(line, sizeof line, "%8.3f | %9s %7s %7s %5s %6.1f | %9s %7s %7s %5s %6.1f\n", timeSec,
                  dbText(l.value).c_str(), dbText(l.hold).c_str(), rms ? dbText(l.rms).c_str() : "", overText(l.over),
                  l.angleDeg, dbText(r.value).c_str(), dbText(r.hold).c_str(), rms ? dbText(r.rms).c_str() : "",
                  overText(r.over), r.angleDeg);
    terminal_ << line;

    for (size_t c = 0; c < 2; ++c) {
        const ChannelReading& channel = reading.channels[c];
        maxValue_[c] = std::max(maxValue_[c], static_cast<double>(channel.value));
        maxHold_[c] = std::max(maxHold_[c], static_cast<double>(channel.hold));
        if (channel.over > 0)
            ++overs_[c];
    }
    if (csvWanted_)
        writeCsvRow(timeSec, reading);
}

void MeterReport::writeCsvRow(double timeSec, const PanelReading& reading)
{
    char row[320];
    const ChannelReading& l = reading.channels[0];
    const ChannelReading& r = reading.channels[1];
    char lRms[32] = "";
    char rRms[32] = "";
    if (meter_ == kRms) {
        std::snprintf(lRms, sizeof lRms, "%.9g", static_cast<double>(l.rms));
        std::snprintf(rRms, sizeof rRms, "%.9g", static_cast<double>(r.rms));
    }
    std::snprintf(row, sizeof row, "%.6f,%s,%.9g,%.9g,%s,%d,%.9g,%.9g,%s,%d,%.4f,%.4f\n", timeSec, meterName(meter_),
                  static_cast<double>(l.value), static_cast<double>(l.hold), lRms, l.over, static_cast<double>(r.value),
                  static_cast<double>(r.hold), rRms, r.over, l.angleDeg, r.angleDeg);
    csv_ << row;
}

bool MeterReport::finish()
{
    terminal_ << "\nSummary (" << meterName(meter_) << ", dB relative to the reference):\n";
    const char* names[] = {"left ", "right"};
    for (size_t c = 0; c < 2; ++c) {
        terminal_ << "  " << names[c] << "  max value " << dbText(maxValue_[c]) << " dB, max hold "
                  << dbText(maxHold_[c]) << " dB, overs " << overs_[c] << '\n';
    }
    if (!csvWanted_)
        return true;
    csv_.flush();
    return static_cast<bool>(csv_);
}

}  // namespace valdorameter
