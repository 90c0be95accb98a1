// valdora-meter from the outside: its CSV, what a reference sine reads on
// each meter, overs of a clipped burst, the picture of the editor it
// renders, and refusal of bad command lines.

#include "tests/host/RunCommand.h"
#include "tests/support/TempDir.h"
#include "tests/tools/PngPicture.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing_support::runCommand;
using testing_support::shellQuote;

constexpr const char* kHeader =
    "time_s,meter,l_value,l_hold,l_rms,l_over,r_value,r_hold,r_rms,r_over,l_angle_deg,r_angle_deg";
constexpr double kPi = 3.14159265358979323846;

struct CsvRow {
    std::vector<std::string> fields;
    double number(size_t i) const { return std::stod(fields.at(i)); }
};

struct Csv {
    std::string header;
    std::vector<CsvRow> rows;
};

Csv readCsv(const std::string& path)
{
    Csv csv;
    std::ifstream in(path);
    std::getline(in, csv.header);
    for (std::string line; std::getline(in, line);) {
        CsvRow row;
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            row.fields.push_back(cell);
        if (!line.empty() && line.back() == ',')
            row.fields.emplace_back();
        csv.rows.push_back(row);
    }
    return csv;
}

testing_support::CommandResult meter(const std::string& arguments)
{
    return runCommand(shellQuote(VALDORA_METER_PATH) + " " + arguments);
}

// Stereo 1 kHz sine with the given peak, then optionally a clipped burst.
void writeWav(const std::string& path, double peak, double seconds, double clippedSeconds = 0.0)
{
    constexpr int kRate = 48000;
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const long frames = std::lround(seconds * kRate);
    const long clipped = std::lround(clippedSeconds * kRate);
    std::vector<float> samples;
    for (long i = 0; i < frames + clipped; ++i) {
        const double s = std::sin(2.0 * kPi * 1000.0 * static_cast<double>(i) / kRate);
        const double x = i < frames ? peak * s : std::fmax(-1.0, std::fmin(1.0, 2.0 * s));
        samples.push_back(static_cast<float>(x));
        samples.push_back(static_cast<float>(x));
    }
    sf_writef_float(file, samples.data(), frames + clipped);
    sf_close(file);
}

TEST(ValdoraMeter, DemoWritesTheCsvAndCountsTheClippedBurst)
{
    testing_support::TempDir dir;
    const std::string csvPath = dir.path() + "/demo.csv";
    const auto result = meter("--meter ppm --csv " + shellQuote(csvPath));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("Summary (PPM3"), std::string::npos) << result.output;

    const Csv csv = readCsv(csvPath);
    EXPECT_EQ(csv.header, kHeader);
    ASSERT_GT(csv.rows.size(), 50u);
    int overs = 0;
    double lastTime = 0.0;
    for (const CsvRow& row : csv.rows) {
        ASSERT_EQ(row.fields.size(), 12u);
        EXPECT_EQ(row.fields[1], "PPM3");
        EXPECT_EQ(row.fields[4], "") << "no RMS column on the PPM meter";
        EXPECT_GT(row.number(0), lastTime);
        lastTime = row.number(0);
        const double value = row.number(2);
        EXPECT_GE(value, 0.0001);
        EXPECT_LE(value, 32.0);
        EXPECT_GE(row.number(10), 30.0 - 1e-9);
        EXPECT_LE(row.number(10), 150.0 + 1e-9);
        if (row.number(5) == 1.0)
            ++overs;
    }
    EXPECT_GT(overs, 0) << "the clipped burst lights the over LED";
    EXPECT_NE(result.output.find("overs " + std::to_string(overs)), std::string::npos) << result.output;
}

TEST(ValdoraMeter, ReferenceSineReadsOneOnRmsAndVu)
{
    testing_support::TempDir dir;
    const std::string wav = dir.path() + "/tone.wav";
    // RMS reference 0 dBFS (0.667), VU reference -18 dBFS (0.25), set explicitly.
    writeWav(wav, 1.0, 3.0);
    const std::string rmsCsv = dir.path() + "/rms.csv";
    auto result = meter("--meter rms --set 72=0.667 --csv " + shellQuote(rmsCsv) + " " + shellQuote(wav));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    Csv csv = readCsv(rmsCsv);
    ASSERT_FALSE(csv.rows.empty());
    EXPECT_NEAR(csv.rows.back().number(4), 1.0, 0.02) << "rms column";
    EXPECT_NEAR(csv.rows.back().number(8), 1.0, 0.02);
    EXPECT_NEAR(csv.rows.back().number(2), 1.0, 0.02) << "peak level";

    writeWav(wav, std::pow(10.0, -18.0 / 20.0), 3.0);
    const std::string vuCsv = dir.path() + "/vu.csv";
    result = meter("--meter vu --set 83=0.25 --csv " + shellQuote(vuCsv) + " " + shellQuote(wav));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    csv = readCsv(vuCsv);
    ASSERT_FALSE(csv.rows.empty());
    EXPECT_NEAR(csv.rows.back().number(2), 1.0, 0.03);
    EXPECT_NEAR(csv.rows.back().number(10), 77.8, 1.5) << "needle angle of 0 VU";
    EXPECT_EQ(csv.rows.back().fields[4], "");
}

TEST(ValdoraMeter, OversOfAClippedFileAndInfiniteHold)
{
    testing_support::TempDir dir;
    const std::string wav = dir.path() + "/clip.wav";
    writeWav(wav, 0.1, 1.0, 0.3);
    const std::string csvPath = dir.path() + "/clip.csv";
    const auto result =
        meter("--meter rms --hold inf --interval 50 --csv " + shellQuote(csvPath) + " " + shellQuote(wav));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const Csv csv = readCsv(csvPath);
    ASSERT_FALSE(csv.rows.empty());
    int overs = 0;
    double highestHold = 0.0;
    for (const CsvRow& row : csv.rows) {
        if (row.number(5) == 1.0) {
            ++overs;
            EXPECT_GT(row.number(0), 0.99) << "no over in the quiet part";
        }
        EXPECT_GE(row.number(3), highestHold) << "infinite hold never falls";
        highestHold = row.number(3);
    }
    EXPECT_GT(overs, 0);
    bool seen = false;
    for (const CsvRow& row : csv.rows) {
        seen = seen || row.number(9) == 1.0;
        if (seen) {
            EXPECT_GE(row.number(9), 0.0) << "an over stays latched until cleared";
        }
    }
}

using testing_support::Picture;
using testing_support::readPng;

TEST(ValdoraMeter, RenderWritesTheEditorAsThePanelShowsTheEnd)
{
    testing_support::TempDir dir;
    const std::string loud = dir.path() + "/loud.wav";
    const std::string quiet = dir.path() + "/quiet.wav";
    writeWav(loud, 1.0, 2.0);
    writeWav(quiet, 0.001, 2.0);
    const std::string strips = "--set 6=1 --set 7=0 --set 15=0 ";  // compact strips: 195 high
    for (const char* name : {"vu", "rms", "ppm"}) {
        SCOPED_TRACE(name);
        const std::string loudPng = dir.path() + "/" + name + "-loud.png";
        const std::string quietPng = dir.path() + "/" + name + "-quiet.png";
        auto result = meter(std::string("--meter ") + name + " " + strips + "--render " + shellQuote(loudPng) + " " +
                            shellQuote(loud));
        ASSERT_EQ(result.exitCode, 0) << result.output;
        result = meter(std::string("--meter ") + name + " " + strips + "--render " + shellQuote(quietPng) + " " +
                       shellQuote(quiet));
        ASSERT_EQ(result.exitCode, 0) << result.output;
        const Picture high = readPng(loudPng);
        const Picture low = readPng(quietPng);
        ASSERT_EQ(high.width, 586);
        EXPECT_EQ(high.height, 195);
        ASSERT_EQ(low.width, 586);
        ASSERT_EQ(low.height, high.height);
        EXPECT_GT(high.colours(), 200u) << "a drawn panel, not a blank picture";
        // Both meter faces: the needles end somewhere else for a loud file.
        EXPECT_GT(high.differingIn(low, 12, 18, 262, 134), 200u);
        EXPECT_GT(high.differingIn(low, 277, 18, 527, 134), 200u);
    }

    const std::string narrow = dir.path() + "/narrow.png";
    ASSERT_EQ(meter("--set 6=0 --render " + shellQuote(narrow)).exitCode, 0) << "the demo, strips hidden";
    const Picture demo = readPng(narrow);
    EXPECT_EQ(demo.width, 586);
    EXPECT_EQ(demo.height, 169);

    const auto unwritable = meter("--render /nonexistent/dir/x.png " + shellQuote(quiet));
    EXPECT_NE(unwritable.exitCode, 0);
    EXPECT_NE(unwritable.output.find("cannot write"), std::string::npos) << unwritable.output;
}

TEST(ValdoraMeter, BadCommandLinesFail)
{
    for (const char* arguments : {"--meter xyz", "--hold maybe", "--block 0", "--interval", "--set 3",
                                  "--set 3=x", "--lag 1000", "--rate 5", "--bogus", "--csv x.csv a.wav b.wav",
                                  "--rate 48000 some.wav", "--render"}) {
        const auto result = meter(arguments);
        EXPECT_NE(result.exitCode, 0) << arguments;
        EXPECT_NE(result.output.find("usage:"), std::string::npos) << arguments;
    }
    const auto missing = meter("/nonexistent/file.wav");
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.output.find("cannot read"), std::string::npos) << missing.output;
    EXPECT_EQ(meter("--help").exitCode, 0);
}

}  // namespace
