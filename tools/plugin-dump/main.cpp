// plugin-dump: loads a plug-in as a host does and writes what it answers as
// plain text: identity, pins, every host parameter with its name, display
// and label, a chunk round trip and an audio pass-through; at the end it
// stores the meters' global settings (the registry on Windows, the settings
// file under $XDG_CONFIG_HOME on Linux). The same program
// built for Linux and for Windows (run under wine) must write the same text.
//
//   plugin-dump <plug-in library>        exit status 0 when every check held

#include "base/ParameterIds.h"
#include "tools/vsthost/PluginHost.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr float kSampleRate = 48000.0f;
constexpr VstInt32 kBlockFrames = 256;
constexpr int kBlocks = 40;
constexpr double kTestToneHz = 997.0;
constexpr double kTestToneLevel = 0.5;
constexpr double kTwoPi = 6.283185307179586;

// Settings that change the chunk without touching the audio path.
constexpr VstInt32 kChangedParameters[] = {param::kMeter, param::kMidSide, param::kHold, param::kLagTime};

std::string hexDigest(const std::vector<unsigned char>& bytes)
{
    // FNV-1a: short to print, and any changed byte changes it.
    unsigned long long hash = 1469598103934665603ull;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%016llx", hash);
    return text;
}

void printIdentity(const host::Plugin& plugin)
{
    const AEffect* const effect = plugin.effect();
    std::printf("name: %s\n", plugin.effectName().c_str());
    std::printf("vendor: %s\n", plugin.vendor().c_str());
    std::printf("product: %s\n", plugin.product().c_str());
    std::printf("vendor version: %ld\n", static_cast<long>(plugin.vendorVersion()));
    std::printf("vst version: %ld\n", static_cast<long>(plugin.vstVersion()));
    std::printf("unique id: %s\n", host::fourCharText(effect->uniqueID).c_str());
    std::printf("category: %s\n", host::categoryName(plugin.category()));
    std::printf("flags: 0x%x\n", static_cast<unsigned>(effect->flags & ~effFlagsHasEditor));
    std::printf("editor: %s\n", plugin.hasFlag(effFlagsHasEditor) ? "yes" : "no");
    std::printf("inputs: %d outputs: %d parameters: %d programs: %d\n", plugin.numInputs(), plugin.numOutputs(),
                plugin.numParams(), effect->numPrograms);
}

void printParameters(const host::Plugin& plugin)
{
    for (int i = 0; i < plugin.numParams(); ++i)
        std::printf("param %2d: %.6f \"%s\" \"%s\" \"%s\"\n", i, plugin.getParameter(i),
                    plugin.parameterName(i).c_str(), plugin.parameterDisplay(i).c_str(),
                    plugin.parameterLabel(i).c_str());
}

// The chunk taken before a change must bring every parameter back.
bool checkChunkRoundTrip(const host::Plugin& plugin)
{
    const std::vector<unsigned char> saved = plugin.getChunk();
    std::vector<float> before;
    for (int i = 0; i < plugin.numParams(); ++i)
        before.push_back(plugin.getParameter(i));
    for (VstInt32 index : kChangedParameters)
        plugin.setParameter(index, 1.0f - plugin.getParameter(index));
    const std::vector<unsigned char> changed = plugin.getChunk();
    const VstIntPtr accepted = plugin.setChunk(saved);
    const std::vector<unsigned char> restored = plugin.getChunk();
    bool same = true;
    for (int i = 0; i < plugin.numParams(); ++i)
        same = same && plugin.getParameter(i) == before[static_cast<std::size_t>(i)];
    std::printf("chunk: %zu bytes, digest %s\n", saved.size(), hexDigest(saved).c_str());
    std::printf("chunk after change differs: %s\n", changed != saved ? "yes" : "no");
    std::printf("chunk restored: accepted %ld, bytes %s, parameters %s\n", static_cast<long>(accepted),
                restored == saved ? "same" : "DIFFERENT", same ? "same" : "DIFFERENT");
    return changed != saved && restored == saved && same;
}

// Processing on with no trim and the filters out: the audio comes out as it went in.
bool checkPassThrough(const host::Plugin& plugin)
{
    plugin.setParameter(param::kProcess, 1.0f);
    plugin.setSampleRate(kSampleRate);
    plugin.setBlockSize(kBlockFrames);
    plugin.resume();
    std::vector<float> inLeft(kBlockFrames), inRight(kBlockFrames), outLeft(kBlockFrames), outRight(kBlockFrames);
    float* inputs[] = {inLeft.data(), inRight.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    double maxDifference = 0.0;
    double outputSquares = 0.0;
    long frame = 0;
    for (int block = 0; block < kBlocks; ++block) {
        for (VstInt32 i = 0; i < kBlockFrames; ++i, ++frame) {
            const double phase = kTwoPi * kTestToneHz * static_cast<double>(frame) / kSampleRate;
            inLeft[static_cast<std::size_t>(i)] = static_cast<float>(kTestToneLevel * std::sin(phase));
            inRight[static_cast<std::size_t>(i)] = static_cast<float>(kTestToneLevel * std::cos(phase));
        }
        plugin.process(inputs, outputs, kBlockFrames);
        for (std::size_t i = 0; i < outLeft.size(); ++i) {
            maxDifference = std::fmax(maxDifference, std::fabs(double(outLeft[i]) - inLeft[i]));
            maxDifference = std::fmax(maxDifference, std::fabs(double(outRight[i]) - inRight[i]));
            outputSquares += double(outLeft[i]) * outLeft[i] + double(outRight[i]) * outRight[i];
        }
    }
    plugin.suspend();
    const double rms = std::sqrt(outputSquares / (2.0 * kBlocks * kBlockFrames));
    std::printf("audio: %d frames, output rms %.4f, largest difference from input %.3g\n", kBlocks * kBlockFrames,
                rms, maxDifference);
    return maxDifference == 0.0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plugin-dump <plug-in library>\n");
        return 2;
    }
    std::string error;
    const std::unique_ptr<host::PluginLibrary> library = host::PluginLibrary::open(argv[1], error);
    if (!library) {
        std::fprintf(stderr, "plugin-dump: %s\n", error.c_str());
        return 1;
    }
    AEffect* const effect = library->instantiate(error);
    if (!effect) {
        std::fprintf(stderr, "plugin-dump: %s\n", error.c_str());
        return 1;
    }
    bool held = true;
    {
        const host::Plugin plugin(effect);
        printIdentity(plugin);
        printParameters(plugin);
        held = checkChunkRoundTrip(plugin) && held;
        held = checkPassThrough(plugin) && held;
        // Leaves the per-user settings written, for the caller to inspect.
        plugin.setParameter(kParamStoreGlobalSettings, 1.0f);
        std::printf("global settings stored\n");
    }
    std::printf("result: %s\n", held ? "ok" : "FAILED");
    std::fflush(stdout);
    return held ? 0 : 1;
}
