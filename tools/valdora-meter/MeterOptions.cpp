#include "tools/valdora-meter/MeterOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace valdorameter {

namespace {

constexpr int kMaxBlockFrames = 65536;
constexpr double kMinIntervalMs = 1.0;
constexpr double kMaxIntervalMs = 3600000.0;
constexpr int kMaxLagMs = 999;
constexpr double kMinDemoRateHz = 20000.0;
constexpr double kMaxDemoRateHz = 200000.0;
constexpr int kMaxParameterIndex = 100;

double parseNumber(const std::string& option, const std::string& text)
{
    if (text.empty())
        throw UsageError(option + " needs a number");
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value))
        throw UsageError(option + ": '" + text + "' is not a number");
    return value;
}

int parseWhole(const std::string& option, const std::string& text, int low, int high)
{
    const double value = parseNumber(option, text);
    if (value != std::floor(value) || value < low || value > high)
        throw UsageError(option + ": '" + text + "' must be a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high));
    return static_cast<int>(value);
}

int parseMeter(const std::string& text)
{
    if (text == "vu")
        return 0;
    if (text == "rms")
        return 1;
    if (text == "ppm")
        return 2;
    throw UsageError("--meter takes vu, rms or ppm, not '" + text + "'");
}

int parseHold(const std::string& text)
{
    if (text == "off")
        return 0;
    if (text == "inf")
        return 1;
    if (text == "on")
        return 2;
    throw UsageError("--hold takes off, inf or on, not '" + text + "'");
}

std::pair<int, float> parseSetting(const std::string& text)
{
    const size_t equals = text.find('=');
    if (equals == std::string::npos)
        throw UsageError("--set takes INDEX=VALUE, not '" + text + "'");
    const int index = parseWhole("--set", text.substr(0, equals), 0, kMaxParameterIndex);
    const double value = parseNumber("--set", text.substr(equals + 1));
    return {index, static_cast<float>(value)};
}

}  // namespace

MeterOptions MeterOptions::parse(const std::vector<std::string>& arguments)
{
    MeterOptions options;
    size_t i = 0;
    auto valueOf = [&](const std::string& option) -> const std::string& {
        if (i + 1 >= arguments.size())
            throw UsageError(option + " needs a value");
        return arguments[++i];
    };
    for (; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--meter") {
            options.meter = parseMeter(valueOf(argument));
        } else if (argument == "--precise") {
            options.precise = true;
        } else if (argument == "--ms") {
            options.midSide = true;
        } else if (argument == "--hold") {
            options.holdMode = parseHold(valueOf(argument));
        } else if (argument == "--lag") {
            options.lagMs = parseWhole(argument, valueOf(argument), 0, kMaxLagMs);
        } else if (argument == "--set") {
            options.settings.push_back(parseSetting(valueOf(argument)));
        } else if (argument == "--block") {
            options.blockFrames = parseWhole(argument, valueOf(argument), 1, kMaxBlockFrames);
        } else if (argument == "--interval") {
            const double ms = parseNumber(argument, valueOf(argument));
            if (ms < kMinIntervalMs || ms > kMaxIntervalMs)
                throw UsageError("--interval must lie between 1 and 3600000 ms");
            options.intervalMs = ms;
        } else if (argument == "--csv") {
            options.csvPath = valueOf(argument);
            if (options.csvPath.empty())
                throw UsageError("--csv needs a file name");
        } else if (argument == "--render") {
            options.renderPath = valueOf(argument);
            if (options.renderPath.empty())
                throw UsageError("--render needs a file name");
        } else if (argument == "--rate") {
            const double rate = parseNumber(argument, valueOf(argument));
            if (rate < kMinDemoRateHz || rate > kMaxDemoRateHz)
                throw UsageError("--rate must lie between 20000 and 200000 Hz");
            options.demoRateHz = rate;
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option '" + argument + "'");
        } else {
            if (i + 1 != arguments.size())
                throw UsageError("options go before the file; one file at most");
            options.audioPath = argument;
        }
    }
    if (options.demoRateHz && !options.audioPath.empty())
        throw UsageError("--rate is for the demo only; a file brings its own rate");
    return options;
}

const char* MeterOptions::usage()
{
    return "usage: valdora-meter [options] [audio-file]\n"
           "\n"
           "Runs the QOR Valdora effect on an audio file (anything libsndfile reads,\n"
           "mono or stereo) or, without one, on a built-in demo signal, and prints\n"
           "what the meter views would show at each interval.\n"
           "\n"
           "  --meter vu|rms|ppm  meter to read (default vu)\n"
           "  --precise           inter-sample (precise) detection on (default off)\n"
           "  --ms                mid/side metering instead of left/right\n"
           "  --hold off|inf|on   hold mode (default off)\n"
           "  --lag MS            display delay, 0..999 ms (default 0)\n"
           "  --set INDEX=VALUE   any effect parameter, normalised 0..1; applied last\n"
           "  --block N           frames per audio block (default 512)\n"
           "  --interval MS       time between readings (default 100)\n"
           "  --csv FILE          also write every reading to FILE as CSV\n"
           "  --render FILE.png   at the end, write the editor as it shows the meter\n"
           "  --rate HZ           sample rate of the demo signal (default 44100)\n"
           "  --help              this text\n"
           "\n"
           "Values are linear relative to the meter's reference level (1.0 = reference);\n"
           "the table shows them in dB. The angle is the needle of the value reading.\n";
}

}  // namespace valdorameter
