#include "tools/vsthost/HostRun.h"

#include "tools/vsthost/BlockRunner.h"
#include "tools/vsthost/ChunkFile.h"
#include "tools/vsthost/CommandLine.h"
#include "tools/vsthost/HostError.h"
#include "tools/vsthost/ParameterSettings.h"
#include "tools/vsthost/PluginReport.h"
#include "tools/vsthost/PluginSession.h"
#include "tools/vsthost/SignalGenerator.h"
#include "tools/vsthost/SoundFileReader.h"
#include "tools/vsthost/SoundFileWriter.h"

#include <cmath>
#include <memory>
#include <ostream>

namespace vsthost {

namespace {

constexpr double kDefaultRateHz = 44100.0;

std::unique_ptr<AudioSource> openSource(const Options& options)
{
    if (!options.inputPath.empty()) {
        auto file = std::make_unique<SoundFileReader>(options.inputPath);
        if (options.sampleRate && std::fabs(*options.sampleRate - file->sampleRate()) > 0.5)
            throw HostError(kExitUsage, "--rate " + std::to_string(static_cast<long>(*options.sampleRate)) +
                                            " differs from the file's " +
                                            std::to_string(static_cast<long>(file->sampleRate())) +
                                            " Hz; vsthost does not resample");
        return file;
    }
    if (!options.generator)
        return nullptr;
    SignalRecipe recipe;
    recipe.waveform = *options.generator;
    recipe.frequencyHz = options.frequencyHz;
    recipe.levelDb = options.levelDb;
    const std::vector<SignalRecipe> recipes(static_cast<size_t>(options.channels), recipe);
    return std::make_unique<SignalGenerator>(recipes, options.sampleRate.value_or(kDefaultRateHz),
                                             options.durationSeconds);
}

// Refused before any work is done, so a long run does not end in this error.
void requireChunks(const host::Plugin& plugin, const Options& options)
{
    const bool wanted = !options.loadChunkPath.empty() || !options.saveChunkPath.empty();
    if (wanted && !plugin.hasFlag(effFlagsProgramChunks))
        throw HostError(kExitPlugin, std::string(options.loadChunkPath.empty() ? "--save-chunk" : "--load-chunk") +
                                         ": the plug-in keeps no state chunk (no effFlagsProgramChunks)");
}

void saveChunk(std::ostream& out, const host::Plugin& plugin, const std::string& path, bool quiet)
{
    const std::vector<unsigned char> bytes = plugin.getChunk();
    if (bytes.empty())
        throw HostError(kExitPlugin, "--save-chunk: the plug-in handed out an empty chunk");
    writeChunkFile(path, bytes);
    if (!quiet)
        out << "Saved " << bytes.size() << " bytes of state to " << path << '\n';
}

}  // namespace

int runHost(const Options& options, std::ostream& out)
{
    // The file decides the sample rate, so it is opened before the plug-in.
    std::unique_ptr<AudioSource> source = openSource(options);
    const double rate = source ? source->sampleRate() : options.sampleRate.value_or(kDefaultRateHz);

    PluginSession session(options.pluginPath, rate, options.blockFrames);
    host::hostState().recordCalls = false;
    const std::unique_ptr<host::Plugin> plugin = session.createInstance();

    requireChunks(*plugin, options);
    if (!options.loadChunkPath.empty())
        plugin->setChunk(readChunkFile(options.loadChunkPath));
    applySettings(*plugin, options.settings);

    if (!options.quiet) {
        out << "Plug-in: " << options.pluginPath << '\n';
        printIdentity(out, *plugin);
        printPins(out, *plugin);
        printParameters(out, *plugin);
    }

    if (source) {
        std::unique_ptr<SoundFileWriter> sink;
        if (!options.outputPath.empty())
            sink = std::make_unique<SoundFileWriter>(options.outputPath, source->channels(), rate);
        plugin->resume();
        const RunResult result = BlockRunner(*plugin, options.blockFrames).run(*source, sink.get());
        plugin->suspend();
        if (sink) {
            sink->close();
            if (!options.quiet)
                out << "Wrote " << result.output.frames() << " frames to " << options.outputPath << '\n';
        }
        printLevels(out, result);
    }

    if (!options.saveChunkPath.empty())
        saveChunk(out, *plugin, options.saveChunkPath, options.quiet);
    return kExitOk;
}

}  // namespace vsthost
