// valdora-meter's delivery check from the outside: loudness and true peak of
// signals built by formula after EBU Tech 3341, meter maxima against the
// single-meter run, exit status and verdicts for passing, failing and
// damaged files, the JSON's fields, and plots that are drawn.

#include "tests/host/RunCommand.h"
#include "tests/support/TempDir.h"
#include "tests/tools/PngPicture.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing_support::runCommand;
using testing_support::shellQuote;

constexpr double kPi = 3.14159265358979323846;
constexpr int kRate = 48000;

testing_support::CommandResult meter(const std::string& arguments)
{
    return runCommand(shellQuote(VALDORA_METER_PATH) + " " + arguments);
}

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Stereo float WAV, both channels the same: sample(i) gives frame i.
void writeWav(const std::string& path, double seconds, const std::function<double(long)>& sample)
{
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const long frames = std::lround(seconds * kRate);
    std::vector<float> samples;
    for (long i = 0; i < frames; ++i) {
        samples.push_back(static_cast<float>(sample(i)));
        samples.push_back(samples.back());
    }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
}

std::function<double(long)> sine(double hz, double peakDb, double phaseDeg = 0.0)
{
    const double peak = std::pow(10.0, peakDb / 20.0);
    return [=](long i) { return peak * std::sin(2.0 * kPi * hz * static_cast<double>(i) / kRate + phaseDeg * kPi / 180.0); };
}

// A 1 kHz sine at -20 dBFS for `loudSec` of every `periodSec`, at -30 dBFS the rest.
std::function<double(long)> periodic(double periodSec, double loudSec)
{
    return [=](long i) {
        const double t = std::fmod(static_cast<double>(i) / kRate, periodSec);
        return sine(1000.0, t < loudSec ? -20.0 : -30.0)(i);
    };
}

// The JSON object of one file, and a number by its key in it (NaN for null or missing).
std::string fileObject(const std::string& json, const std::string& path)
{
    const size_t start = json.find("{\"file\": \"" + path + "\"");
    if (start == std::string::npos)
        return {};
    const size_t end = json.find("{\"file\": ", start + 1);
    return json.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

double field(const std::string& object, const std::string& key, size_t from = 0)
{
    const size_t at = object.find("\"" + key + "\": ", from);
    if (at == std::string::npos)
        return std::nan("");
    const std::string rest = object.substr(at + key.size() + 4);
    return rest.rfind("null", 0) == 0 ? std::nan("") : std::stod(rest);
}

double meterField(const std::string& object, const std::string& meterKey, const std::string& key)
{
    return field(object, key, object.find("\"" + meterKey + "\": {"));
}

TEST(ValdoraMeterDelivery, LoudnessAndTruePeakOfTech3341Signals)
{
    struct Case {
        const char* name;
        double seconds;
        std::function<double(long)> signal;
        const char* key;
        double expected;
        double below;  // tolerance under and over the expected value
        double above;
    };
    // Loudness +-0.1 LU; true peak +0.2/-0.4 dB, as Tech 3341 allows. The
    // fs/4 sines put their samples 0, 45, 60 and 67.5 degrees off the peaks.
    const Case cases[] = {
        {"1k-23", 20.0, sine(1000.0, -23.0), "integrated_lufs", -23.0, 0.1, 0.1},
        {"1k-33", 20.0, sine(1000.0, -33.0), "integrated_lufs", -33.0, 0.1, 0.1},
        {"gated", 20.0, [](long i) { return i < 10 * kRate ? sine(1000.0, -23.0)(i) : sine(1000.0, -80.0)(i); },
         "integrated_lufs", -23.0, 0.1, 0.1},
        // Periods as long as the window: every full window reads the same.
        {"momentary", 10.0, periodic(0.4, 0.18), "momentary_max_lufs", -23.0, 0.1, 0.1},
        {"short-term", 30.0, periodic(3.0, 1.34), "short_term_max_lufs", -23.0, 0.1, 0.1},
        {"tp0", 2.0, sine(12000.0, -6.0, 0.0), "true_peak_dbtp", -6.0, 0.4, 0.2},
        {"tp45", 2.0, sine(12000.0, -6.0, 45.0), "true_peak_dbtp", -6.0, 0.4, 0.2},
        {"tp60", 2.0, sine(12000.0, -6.0, 60.0), "true_peak_dbtp", -6.0, 0.4, 0.2},
        {"tp67", 2.0, sine(12000.0, -6.0, 67.5), "true_peak_dbtp", -6.0, 0.4, 0.2},
        {"tp+3", 2.0, sine(12000.0, 3.0103, 45.0), "true_peak_dbtp", 3.0, 0.4, 0.2},
    };
    testing_support::TempDir dir;
    std::string files;
    for (const Case& c : cases) {
        writeWav(dir.path() + "/" + c.name + ".wav", c.seconds, c.signal);
        files += " " + shellQuote(dir.path() + "/" + c.name + ".wav");
    }
    const std::string json = dir.path() + "/report.json";
    const auto result = meter("--json " + shellQuote(json) + files);
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const std::string report = readText(json);
    for (const Case& c : cases) {
        const double value = field(fileObject(report, dir.path() + "/" + c.name + ".wav"), c.key);
        EXPECT_GE(value, c.expected - c.below) << c.name;
        EXPECT_LE(value, c.expected + c.above) << c.name;
    }
}

// The single-meter run read at every block is the effect read as its panel
// reads it; the delivery check must find the same maxima on every meter.
TEST(ValdoraMeterDelivery, MeterMaximaEqualTheSingleMeterRun)
{
    testing_support::TempDir dir;
    const std::string wav = dir.path() + "/mix.wav";
    writeWav(wav, 3.0, [](long i) {
        const double t = static_cast<double>(i) / kRate;
        const double level = t < 1.0 ? 0.05 : t < 1.3 ? 1.4 : 0.3;
        return std::fmax(-1.0, std::fmin(1.0, level * std::sin(2.0 * kPi * 440.0 * t)));
    });
    const std::string json = dir.path() + "/report.json";
    ASSERT_EQ(meter("--summary --hold inf --json " + shellQuote(json) + " " + shellQuote(wav)).exitCode, 0);
    const std::string object = fileObject(readText(json), wav);
    for (const char* name : {"vu", "rms", "ppm"}) {
        const std::string csv = dir.path() + "/" + name + ".csv";
        const auto single = meter(std::string("--meter ") + name + " --hold inf --interval 1 --csv " +
                                  shellQuote(csv) + " " + shellQuote(wav));
        ASSERT_EQ(single.exitCode, 0) << single.output;
        double maxValue = 0.0;
        double maxHold = 0.0;
        std::ifstream in(csv);
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line)) {
            std::vector<std::string> cells;
            std::stringstream row(line);
            for (std::string cell; std::getline(row, cell, ',');)
                cells.push_back(cell);
            maxValue = std::fmax(maxValue, std::fmax(std::stod(cells[2]), std::stod(cells[6])));
            maxHold = std::fmax(maxHold, std::fmax(std::stod(cells[3]), std::stod(cells[7])));
        }
        EXPECT_NEAR(meterField(object, name, "max_value_db"), 20.0 * std::log10(maxValue), 0.006) << name;
        EXPECT_NEAR(meterField(object, name, "max_hold_db"), 20.0 * std::log10(maxHold), 0.006) << name;
    }
}

TEST(ValdoraMeterDelivery, ExitStatusAndVerdictPerFile)
{
    testing_support::TempDir dir;
    const std::string good = dir.path() + "/good.wav";
    const std::string hot = dir.path() + "/hot.wav";
    const std::string clipped = dir.path() + "/clipped.wav";
    const std::string garbage = dir.path() + "/garbage.wav";
    const std::string cut = dir.path() + "/cut.wav";
    const std::string empty = dir.path() + "/empty.wav";
    writeWav(good, 12.0, sine(1000.0, -23.0));
    writeWav(hot, 12.0, sine(997.0, -0.5));
    writeWav(clipped, 2.0, [](long i) { return std::fmax(-1.0, std::fmin(1.0, 2.0 * sine(1000.0, 0.0)(i))); });
    writeWav(empty, 0.0, sine(1000.0, 0.0));
    std::ofstream(garbage) << "not audio at all";
    const std::string whole = readText(good);
    std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 3);

    struct Case {
        std::string arguments;
        int exitCode;
        std::vector<std::string> lines;  // each must appear in the output
    };
    const Case cases[] = {
        {"--profile ebu-r128 " + shellQuote(good), 0, {"PASS  " + good}},
        {"--profile ebu-r128 " + shellQuote(good) + " " + shellQuote(hot), 1,
         {"PASS  " + good, "FAIL  " + hot + ": true peak -0.5 dBTP above -1.0 dBTP; integrated"}},
        {"--max-overs 0 " + shellQuote(clipped), 1, {"FAIL  " + clipped + ": VU3 ", "PPM3 1 overs, 0 allowed"}},
        {"--loudness=-23 " + shellQuote(good), 2, {"unknown option"}},
        {"--loudness -24+-2 -j 2 " + shellQuote(garbage) + " " + shellQuote(good) + " " + shellQuote(cut) + " " +
             shellQuote(empty),
         2,
         {"UNREADABLE  cannot read audio file '" + garbage + "'", "PASS  " + good,
          "UNREADABLE  '" + cut + "' is truncated", "UNREADABLE  no audio in '" + empty + "'"}},
        {"--json " + shellQuote(good) + " " + shellQuote(good), 2, {"is an input file; it is never written over"}},
    };
    for (const Case& c : cases) {
        const auto result = meter(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.output;
        for (const std::string& line : c.lines)
            EXPECT_NE(result.output.find(line), std::string::npos) << line << "\n" << result.output;
        EXPECT_EQ(result.output.find('\r'), std::string::npos) << "no progress bar off a terminal";
    }
    EXPECT_EQ(readText(good), whole) << "an input is never written";
}

TEST(ValdoraMeterDelivery, JsonCarriesEveryFieldOfTheSchema)
{
    testing_support::TempDir dir;
    const std::string wav = dir.path() + "/tone.wav";
    writeWav(wav, 5.0, sine(1000.0, -20.0));
    const auto result = meter("--profile atsc-a85 --json - " + shellQuote(wav) + " " + shellQuote(dir.path() + "/no.wav"));
    EXPECT_EQ(result.exitCode, 2) << result.output;
    for (const char* key : {"\"schema\": \"valdora-meter/1\"", "\"profile\": \"atsc-a85\"", "\"max_true_peak_dbtp\": -2.00",
                            "\"loudness_target_lufs\": -24.00", "\"loudness_tolerance_lu\": 2.00", "\"status\": \"fail\"",
                            "\"failed\": [", "\"rate_hz\": 48000", "\"channels\": 2", "\"frames\": 240000",
                            "\"duration_s\": 5.000", "\"sample_peak_dbfs\": -20.00", "\"true_peak_dbtp\": -20.00",
                            "\"integrated_lufs\": ", "\"range_lu\": ", "\"momentary_max_lufs\": ",
                            "\"short_term_max_lufs\": ", "\"vu\": {\"reference_dbfs\": -18.00", "\"rms\": {",
                            "\"ppm\": {\"reference_dbfs\": -12.00", "\"max_value_db\": ", "\"max_hold_db\": ", "\"max_rms_db\": -20.00",
                            "\"overs\": 0, \"over_times_s\": []", "\"status\": \"unreadable\", \"error\": "})
        EXPECT_NE(result.output.find(key), std::string::npos) << key << "\n" << result.output;
}

using testing_support::Picture;
using testing_support::readPng;

TEST(ValdoraMeterDelivery, PlotsAreDrawnOnePerFile)
{
    testing_support::TempDir dir;
    const std::string quiet = dir.path() + "/quiet.wav";
    const std::string loud = dir.path() + "/loud.wav";
    writeWav(quiet, 4.0, sine(1000.0, -40.0));
    writeWav(loud, 4.0, sine(1000.0, -3.0));
    const std::string plots = dir.path() + "/plots";
    const auto result = meter("--plot " + shellQuote(plots) + " " + shellQuote(quiet) + " " + shellQuote(loud));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const Picture low = readPng(plots + "/quiet.png");
    const Picture high = readPng(plots + "/loud.png");
    ASSERT_GT(low.width, 800);
    ASSERT_EQ(low.width, high.width);
    ASSERT_EQ(low.height, high.height);
    EXPECT_GT(std::set<uint32_t>(high.pixels.begin(), high.pixels.end()).size(), 50u) << "drawn, not blank";
    // The curves sit elsewhere for a loud file: many pixels of the panes differ.
    size_t differing = 0;
    for (size_t i = static_cast<size_t>(high.width) * 130; i < high.pixels.size(); ++i)
        differing += high.pixels[i] != low.pixels[i];
    EXPECT_GT(differing, 2000u);
}

}  // namespace
