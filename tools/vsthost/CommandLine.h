#pragma once

#include "tools/vsthost/SignalGenerator.h"

#include <optional>
#include <string>
#include <vector>

namespace vsthost {

struct ParameterSetting {
    int index;
    float value;
};

struct Options {
    bool help = false;
    bool demo = false;
    bool quiet = false;
    std::string pluginPath;
    std::vector<ParameterSetting> settings;
    std::optional<double> sampleRate;
    int blockFrames = 512;
    std::string inputPath;
    std::string outputPath;
    std::optional<Waveform> generator;
    double frequencyHz = 1000.0;
    double levelDb = -12.0;
    double durationSeconds = 2.0;
    int channels = 2;
    std::string saveChunkPath;
    std::string loadChunkPath;

    bool processes() const { return !inputPath.empty() || generator.has_value(); }
};

// Throws HostError (kExitUsage) with the offending argument named.
Options parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

}  // namespace vsthost
