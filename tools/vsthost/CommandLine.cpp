#include "tools/vsthost/CommandLine.h"

#include "tools/vsthost/HostError.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vsthost {

namespace {

constexpr double kMinRateHz = 1000.0;
constexpr double kMaxRateHz = 768000.0;
constexpr int kMaxBlockFrames = 65536;
constexpr double kMaxDurationSeconds = 24.0 * 3600.0;
constexpr double kMaxLevelDb = 24.0;
constexpr double kMinLevelDb = -200.0;

[[noreturn]] void usageError(const std::string& message)
{
    throw HostError(kExitUsage, message);
}

double parseNumber(const std::string& option, const std::string& text)
{
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        usageError(option + ": '" + text + "' is not a number");
    return value;
}

double parseInRange(const std::string& option, const std::string& text, double low, double high)
{
    const double value = parseNumber(option, text);
    if (value < low || value > high) {
        char range[64];
        std::snprintf(range, sizeof range, "%g ... %g", low, high);
        usageError(option + ": " + text + " is outside " + range);
    }
    return value;
}

int parseInteger(const std::string& option, const std::string& text, int low, int high)
{
    const double value = parseInRange(option, text, low, high);
    if (value != std::floor(value))
        usageError(option + ": '" + text + "' is not a whole number");
    return static_cast<int>(value);
}

ParameterSetting parseSetting(const std::string& text)
{
    const size_t equals = text.find('=');
    if (equals == std::string::npos)
        usageError("--set: '" + text + "' is not INDEX=VALUE");
    ParameterSetting setting{};
    setting.index = parseInteger("--set", text.substr(0, equals), 0, 1 << 20);
    // Hosts only ever send normalised values; anything else is a typing mistake.
    setting.value = static_cast<float>(parseInRange("--set", text.substr(equals + 1), 0.0, 1.0));
    return setting;
}

// Walks the arguments, splitting "--name=value" into name and value.
class ArgumentCursor {
public:
    explicit ArgumentCursor(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    bool next()
    {
        if (position_ >= arguments_.size())
            return false;
        const std::string& argument = arguments_[position_++];
        const size_t equals = argument.find('=');
        const bool joined = argument.rfind("--", 0) == 0 && equals != std::string::npos;
        name_ = joined ? argument.substr(0, equals) : argument;
        joinedValue_ = joined ? std::optional<std::string>(argument.substr(equals + 1)) : std::nullopt;
        return true;
    }
    const std::string& name() const { return name_; }
    bool isOption() const { return name_.size() > 1 && name_[0] == '-'; }
    std::string value()
    {
        if (joinedValue_)
            return *joinedValue_;
        if (position_ >= arguments_.size())
            usageError(name_ + " needs a value");
        return arguments_[position_++];
    }

private:
    const std::vector<std::string>& arguments_;
    size_t position_ = 0;
    std::string name_;
    std::optional<std::string> joinedValue_;
};

void setGenerator(Options& options, Waveform waveform)
{
    if (options.generator)
        usageError("choose one signal: --sine, --pink or --white");
    options.generator = waveform;
}

}  // namespace

Options parseCommandLine(const std::vector<std::string>& arguments)
{
    Options options;
    ArgumentCursor cursor(arguments);
    while (cursor.next()) {
        const std::string& name = cursor.name();
        if (!cursor.isOption()) {
            if (!options.pluginPath.empty())
                usageError("one plug-in at a time ('" + options.pluginPath + "' and '" + name + "')");
            options.pluginPath = name;
        } else if (name == "-h" || name == "--help") {
            options.help = true;
        } else if (name == "--demo") {
            options.demo = true;
        } else if (name == "-q" || name == "--quiet") {
            options.quiet = true;
        } else if (name == "--set") {
            options.settings.push_back(parseSetting(cursor.value()));
        } else if (name == "--rate") {
            options.sampleRate = parseInRange(name, cursor.value(), kMinRateHz, kMaxRateHz);
        } else if (name == "--block") {
            options.blockFrames = parseInteger(name, cursor.value(), 1, kMaxBlockFrames);
        } else if (name == "--input" || name == "-i") {
            options.inputPath = cursor.value();
        } else if (name == "--output" || name == "-o") {
            options.outputPath = cursor.value();
        } else if (name == "--sine") {
            setGenerator(options, Waveform::Sine);
            options.frequencyHz = parseInRange(name, cursor.value(), 0.0, kMaxRateHz / 2.0);
        } else if (name == "--pink") {
            setGenerator(options, Waveform::Pink);
        } else if (name == "--white") {
            setGenerator(options, Waveform::White);
        } else if (name == "--level") {
            options.levelDb = parseInRange(name, cursor.value(), kMinLevelDb, kMaxLevelDb);
        } else if (name == "--duration") {
            options.durationSeconds = parseInRange(name, cursor.value(), 0.0, kMaxDurationSeconds);
        } else if (name == "--channels") {
            options.channels = parseInteger(name, cursor.value(), 1, 2);
        } else if (name == "--save-chunk") {
            options.saveChunkPath = cursor.value();
        } else if (name == "--load-chunk") {
            options.loadChunkPath = cursor.value();
        } else {
            usageError("unknown option '" + name + "'");
        }
    }
    if (options.help)
        return options;
    if (options.pluginPath.empty() && !options.demo)
        usageError("no plug-in given");
    if (!options.inputPath.empty() && options.generator)
        usageError("--input and a generated signal exclude each other");
    if (!options.outputPath.empty() && !options.processes())
        usageError("--output needs --input or a generated signal (--sine, --pink, --white)");
    return options;
}

std::string usageText()
{
    return "usage: vsthost PLUGIN.so [options]\n"
           "       vsthost --demo [PLUGIN.so] [--set INDEX=VALUE ...] [--rate HZ] [--block N]\n"
           "\n"
           "Loads a VST 2.4 plug-in as a host does, prints its identity, pins and parameters,\n"
           "and optionally runs audio through it.\n"
           "\n"
           "  --set INDEX=VALUE   set a parameter (normalised 0..1) before processing; repeatable\n"
           "  --rate HZ           sample rate (default: the input file's, else 44100)\n"
           "  --block N           frames per processing block (default 512)\n"
           "  --input FILE        process a mono or stereo WAV, FLAC or AIFF file\n"
           "  --sine HZ           process a sine of that frequency (level = peak)\n"
           "  --pink, --white     process pink or white noise (level = RMS)\n"
           "  --level DBFS        generated signal level (default -12)\n"
           "  --duration SECONDS  generated signal length (default 2)\n"
           "  --channels 1|2      generated signal channels (default 2)\n"
           "  --output FILE       write the processed audio (.wav, .aif, .aiff: 32-bit float; .flac: 24-bit)\n"
           "  --load-chunk FILE   load a state chunk into the plug-in before --set\n"
           "  --save-chunk FILE   save the plug-in's state chunk at the end\n"
           "  --quiet             print only the levels and errors\n"
           "  --demo [PLUGIN.so]  show, set, process and round-trip the state of a plug-in\n"
           "                      (default: the QOR Valdora plug-in of this build)\n"
           "\n"
           "Exit codes: 0 done, 1 a demo check failed, 2 bad command line, 3 plug-in not loadable,\n"
           "4 audio or chunk file problem.\n";
}

}  // namespace vsthost
