#pragma once

// What one pass over one file found: its format, peaks, loudness and, per
// meter, the maxima the meter's panel shows with the times of its overs, plus
// the curves a plot draws. Levels are linear (meters: 1.0 = the meter's
// reference; peaks: 1.0 = full scale); loudness in LUFS, -inf when gated out.

#include <array>
#include <string>
#include <vector>

namespace valdorameter {

constexpr int kMeterCount = 3;  // 0 VU, 1 RMS, 2 PPM

struct MeterMeasurement {
    bool measured = false;
    double referenceDbfs = 0.0;
    double maxValue = 0.0;
    double maxHold = 0.0;
    double maxRms = 0.0;  // the RMS meter's RMS reading; 0 on the others
    std::vector<double> overTimesSec;  // start of each run of over readings
    std::vector<float> curve;          // highest value of both channels per plot step
};

struct LoudnessMeasurement {
    double integratedLufs;
    double rangeLu;
    double momentaryMaxLufs;
    double shortTermMaxLufs;
    std::vector<float> shortTermCurve;  // LUFS every 100 ms
};

struct FileMeasurement {
    std::string path;
    bool readable = false;
    std::string error;  // why the file could not be read
    double rateHz = 0.0;
    int channels = 0;
    long long frames = 0;
    double samplePeak = 0.0;
    double truePeak = 0.0;
    LoudnessMeasurement loudness{};
    std::array<MeterMeasurement, kMeterCount> meters;
    double plotStepSec = 0.1;

    double durationSec() const { return rateHz > 0.0 ? static_cast<double>(frames) / rateHz : 0.0; }
};

}  // namespace valdorameter
