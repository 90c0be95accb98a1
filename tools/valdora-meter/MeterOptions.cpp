#include "tools/valdora-meter/MeterOptions.h"

#include "base/ParameterIds.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <array>

namespace valdorameter {

namespace {

constexpr int kMaxBlockFrames = 65536;
constexpr double kMinIntervalMs = 1.0;
constexpr double kMaxIntervalMs = 3600000.0;
constexpr int kMaxLagMs = 999;
constexpr double kMinDemoRateHz = 20000.0;
constexpr double kMaxDemoRateHz = 200000.0;
constexpr int kMaxParameterIndex = param::kHighestIndex;
constexpr int kMaxJobs = 256;
constexpr int kMaxOversLimit = 1000000;

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
    throw UsageError("--meter takes vu, rms or ppm (or a list such as vu,ppm), not '" + text + "'");
}

// "vu", "ppm,vu", "all": the meters in VU, RMS, PPM order, each once.
std::vector<int> parseMeters(const std::string& text)
{
    if (text == "all")
        return {0, 1, 2};
    std::array<bool, kMeterCount> chosen{};
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        chosen[static_cast<size_t>(parseMeter(text.substr(start, comma - start)))] = true;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    std::vector<int> meters;
    for (int meter = 0; meter < kMeterCount; ++meter)
        if (chosen[static_cast<size_t>(meter)])
            meters.push_back(meter);
    return meters;
}

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    const auto canonicalA = std::filesystem::weakly_canonical(a, error);
    const auto canonicalB = std::filesystem::weakly_canonical(b, error);
    return !error && canonicalA == canonicalB;
}

void refuseInputAsOutput(const MeterOptions& options)
{
    const std::pair<const char*, const std::string*> outputs[] = {
        {"--json", &options.jsonPath}, {"--plot", &options.plotPath}, {"--csv", &options.csvPath},
        {"--render", &options.renderPath}};
    for (const auto& [option, path] : outputs) {
        if (path->empty() || *path == "-")
            continue;
        for (const std::string& input : options.audioPaths)
            if (sameFile(*path, input))
                throw UsageError(std::string(option) + " '" + *path + "' is an input file; it is never written over");
    }
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
    std::string profile;
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
            options.meters = parseMeters(valueOf(argument));
            options.meter = options.meters.front();
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
        } else if (argument == "--scale") {
            const double scale = parseNumber(argument, valueOf(argument));
            if (scale != 1.0 && scale != 1.5 && scale != 2.0)
                throw UsageError("--scale must be 1, 1.5 or 2");
            options.renderScale = scale;
        } else if (argument == "--rate") {
            const double rate = parseNumber(argument, valueOf(argument));
            if (rate < kMinDemoRateHz || rate > kMaxDemoRateHz)
                throw UsageError("--rate must lie between 20000 and 200000 Hz");
            options.demoRateHz = rate;
        } else if (argument == "--json") {
            options.jsonPath = valueOf(argument);
            if (options.jsonPath.empty())
                throw UsageError("--json needs a file name or -");
        } else if (argument == "--plot") {
            options.plotPath = valueOf(argument);
            if (options.plotPath.empty())
                throw UsageError("--plot needs a file or folder name");
        } else if (argument == "-j" || argument == "--jobs") {
            options.jobs = parseWhole(argument, valueOf(argument), 1, kMaxJobs);
        } else if (argument.rfind("-j", 0) == 0 && argument.size() > 2) {
            options.jobs = parseWhole("-j", argument.substr(2), 1, kMaxJobs);
        } else if (argument == "--summary") {
            options.summary = true;
        } else if (argument == "--profile") {
            profile = valueOf(argument);
        } else if (argument == "--max-true-peak") {
            options.limits.maxTruePeakDbtp = parseNumber(argument, valueOf(argument));
        } else if (argument == "--max-overs") {
            options.limits.maxOvers = parseWhole(argument, valueOf(argument), 0, kMaxOversLimit);
        } else if (argument == "--loudness") {
            options.limits.loudness = DeliveryLimits::parseLoudness(valueOf(argument));
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option '" + argument + "'");
        } else {
            options.audioPaths.push_back(argument);
        }
    }
    if (!profile.empty())
        options.limits.applyProfile(profile);
    if (options.demoRateHz && !options.audioPaths.empty())
        throw UsageError("--rate is for the demo only; a file brings its own rate");
    if (options.delivery()) {
        if (options.audioPaths.empty())
            throw UsageError("the checks, --summary, --json, --plot and -j need one or more audio files");
        if (!options.csvPath.empty() || !options.renderPath.empty())
            throw UsageError("--csv and --render read one file on one meter; they do not go with several files, "
                             "several meters or the checks");
    } else if (!options.audioPaths.empty()) {
        options.audioPath = options.audioPaths.front();
    }
    refuseInputAsOutput(options);
    return options;
}

std::vector<int> MeterOptions::chosenMeters() const
{
    return meters.empty() ? std::vector<int>{0, 1, 2} : meters;
}

bool MeterOptions::delivery() const
{
    return audioPaths.size() > 1 || meters.size() > 1 || !jsonPath.empty() || !plotPath.empty() || jobs > 0 ||
           summary || limits.any();
}

const char* MeterOptions::usage()
{
    return "usage: valdora-meter [options] [audio-file]\n"
           "       valdora-meter [check options] audio-file...\n"
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
           "  --scale 1|1.5|2     draw that PNG this many times larger (default 1)\n"
           "  --rate HZ           sample rate of the demo signal (default 44100)\n"
           "  --help              this text\n"
           "\n"
           "Values are linear relative to the meter's reference level (1.0 = reference);\n"
           "the table shows them in dB. The angle is the needle of the value reading.\n"
           "\n"
           "Delivery check: with several files, or any option below, every file is\n"
           "metered in one pass on every meter (or those of --meter vu,rms,ppm), with\n"
           "sample and true peak and EBU R128 loudness, and gets a summary and a\n"
           "PASS or FAIL line.\n"
           "\n"
           "  --profile NAME      ebu-r128 (-23 LUFS +-0.5 LU, true peak <= -1 dBTP)\n"
           "                      or atsc-a85 (-24 LKFS +-2 LU, true peak <= -2 dBTP)\n"
           "  --loudness T[+-TOL] integrated loudness target in LUFS (TOL default 0.5 LU)\n"
           "  --max-true-peak DB  highest true peak allowed, dBTP\n"
           "  --max-overs N       overs allowed on each meter\n"
           "  --json FILE|-       every result as JSON\n"
           "  --plot PATH         readings over time as PNG: a file for one input,\n"
           "                      else a folder with one PNG per input\n"
           "  -j N                files metered at once (default: one per core)\n"
           "  --summary           the summary for a single file without checks\n"
           "\n"
           "Exit status of a check: 0 every file passed, 1 a file failed, 2 a file\n"
           "could not be read (the others are still checked), 4 an output file\n"
           "could not be written.\n";
}

}  // namespace valdorameter
