#include "tools/vsthost/Demo.h"

#include "tools/vsthost/BlockRunner.h"
#include "tools/vsthost/CommandLine.h"
#include "tools/vsthost/HostError.h"
#include "tools/vsthost/ParameterSettings.h"
#include "tools/vsthost/PluginReport.h"
#include "tools/vsthost/PluginSession.h"
#include "tools/vsthost/SignalGenerator.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <vector>

namespace vsthost {

namespace {

constexpr double kDefaultRateHz = 44100.0;
constexpr double kSignalSeconds = 2.0;
// Parameters are normalised floats; a chunk that carries them exactly restores them
// exactly, but a plug-in may keep them as text or quantise them.
constexpr float kParameterTolerance = 1e-6f;

// Chosen for the meter of this project: processing on, +6 dB trim, RMS meter, strip
// filters in with the high-pass near 100 Hz. On other plug-ins they simply move
// the first few parameters.
const std::vector<ParameterSetting> kDemoSettings = {
    {0, 1.0f}, {1, 0.65f}, {3, 0.5f}, {8, 1.0f}, {11, 0.35f},
};

const std::vector<SignalRecipe> kDemoSignal = {
    {Waveform::Sine, 1000.0, -12.0},
    {Waveform::Pink, 0.0, -18.0},
};

void heading(std::ostream& out, const std::string& title)
{
    out << "\n== " << title << '\n';
}

void showSettings(std::ostream& out, const host::Plugin& plugin, const std::vector<ParameterSetting>& settings)
{
    for (const ParameterSetting& setting : settings) {
        char value[32];
        std::snprintf(value, sizeof value, "%.4f", static_cast<double>(setting.value));
        out << "  " << setting.index << " " << plugin.parameterName(setting.index) << " = " << value << " -> "
            << plugin.parameterDisplay(setting.index) << plugin.parameterLabel(setting.index) << '\n';
    }
}

// Counts the parameters of the copy that differ from the original, naming each.
int compareParameters(std::ostream& out, const host::Plugin& original, const host::Plugin& copy)
{
    int differing = 0;
    for (int i = 0; i < original.numParams(); ++i) {
        const float expected = original.getParameter(i);
        const float actual = copy.getParameter(i);
        if (std::fabs(expected - actual) <= kParameterTolerance)
            continue;
        ++differing;
        out << "  parameter " << i << " (" << original.parameterName(i) << "): " << expected << " became " << actual
            << '\n';
    }
    return differing;
}

bool roundTripChunk(std::ostream& out, const PluginSession& session, const host::Plugin& original)
{
    if (!original.hasFlag(effFlagsProgramChunks)) {
        out << "The plug-in keeps no state chunk (no effFlagsProgramChunks); nothing to carry over.\n";
        return true;
    }
    const std::vector<unsigned char> chunk = original.getChunk();
    out << "Chunk from the first instance: " << chunk.size() << " bytes\n";
    if (chunk.empty()) {
        out << "The plug-in announces chunks but handed out none.\n";
        return false;
    }
    const std::unique_ptr<host::Plugin> second = session.createInstance();
    second->setChunk(chunk);
    const int differing = compareParameters(out, original, *second);
    const int total = original.numParams();
    out << "Parameters of the second instance match: " << (differing == 0 ? "yes" : "no") << " ("
        << total - differing << " of " << total << ")\n";
    return differing == 0;
}

}  // namespace

int runDemo(const Options& options, const std::string& pluginPath, std::ostream& out)
{
    const double rate = options.sampleRate.value_or(kDefaultRateHz);
    PluginSession session(pluginPath, rate, options.blockFrames);
    host::hostState().recordCalls = false;
    const std::unique_ptr<host::Plugin> plugin = session.createInstance();

    heading(out, "Plug-in " + pluginPath);
    printIdentity(out, *plugin);
    printPins(out, *plugin);
    printParameters(out, *plugin);

    std::vector<ParameterSetting> settings = options.settings;
    if (settings.empty())
        for (const ParameterSetting& setting : kDemoSettings)
            if (setting.index < plugin->numParams())
                settings.push_back(setting);
    heading(out, "Setting parameters");
    applySettings(*plugin, settings);
    showSettings(out, *plugin, settings);

    heading(out, "Processing " + std::to_string(static_cast<int>(kSignalSeconds)) + " s at " +
                     std::to_string(static_cast<long>(rate)) + " Hz in blocks of " +
                     std::to_string(options.blockFrames));
    out << "  channel 0: " << describe(kDemoSignal[0]) << "\n  channel 1: " << describe(kDemoSignal[1]) << '\n';
    SignalGenerator signal(kDemoSignal, rate, kSignalSeconds);
    plugin->resume();
    const RunResult result = BlockRunner(*plugin, options.blockFrames).run(signal, nullptr);
    plugin->suspend();
    printLevels(out, result);
    const bool finite = result.output.nonFiniteTotal() == 0;

    heading(out, "State chunk round trip");
    const bool matched = roundTripChunk(out, session, *plugin);

    const bool passed = finite && matched;
    out << "\nDemo " << (passed ? "passed" : "FAILED") << '\n';
    return passed ? kExitOk : kExitCheckFailed;
}

}  // namespace vsthost
