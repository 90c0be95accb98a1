#include "tools/vsthost/PluginReport.h"

#include "tools/vsthost/BlockRunner.h"
#include "tools/vsthost/PluginHost.h"

#include <array>
#include <cstdio>
#include <iomanip>
#include <ostream>
#include <string>

namespace vsthost {

namespace {

struct FlagName {
    VstInt32 flag;
    const char* name;
};

constexpr std::array<FlagName, 6> kFlagNames = {{
    {effFlagsHasEditor, "HasEditor"},
    {effFlagsCanReplacing, "CanReplacing"},
    {effFlagsProgramChunks, "ProgramChunks"},
    {effFlagsIsSynth, "IsSynth"},
    {effFlagsNoSoundInStop, "NoSoundInStop"},
    {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
}};

std::string flagText(VstInt32 flags)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04x", static_cast<unsigned>(flags));
    std::string text = hex;
    for (const FlagName& entry : kFlagNames)
        if (flags & entry.flag)
            text += std::string(" ") + entry.name;
    return text;
}

std::string pinText(const VstPinProperties& pin)
{
    std::string text = "\"" + std::string(pin.label) + "\"";
    if (pin.flags & kVstPinIsActive)
        text += " active";
    if (pin.flags & kVstPinIsStereo)
        text += " stereo";
    return text;
}

void printPinList(std::ostream& out, const host::Plugin& plugin, bool inputs)
{
    const int count = inputs ? plugin.numInputs() : plugin.numOutputs();
    for (int i = 0; i < count; ++i) {
        VstPinProperties pin;
        const bool described = inputs ? plugin.inputProperties(i, pin) : plugin.outputProperties(i, pin);
        out << "  " << (inputs ? "in  " : "out ") << i << "  "
            << (described ? pinText(pin) : std::string("(not described)")) << '\n';
    }
}

std::string dbText(double magnitude)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", toDb(magnitude));
    return text;
}

}  // namespace

void printIdentity(std::ostream& out, const host::Plugin& plugin)
{
    const AEffect* effect = plugin.effect();
    const VstIntPtr category = plugin.category();
    out << "Effect name:     " << plugin.effectName() << '\n'
        << "Vendor:          " << plugin.vendor() << '\n'
        << "Product:         " << plugin.product() << '\n'
        << "Vendor version:  " << plugin.vendorVersion() << '\n'
        << "Unique id:       '" << host::fourCharText(effect->uniqueID) << "'\n"
        << "VST version:     " << plugin.vstVersion() << '\n'
        << "Category:        " << category << " (" << host::categoryName(category) << ")\n"
        << "Flags:           " << flagText(effect->flags) << '\n'
        << "Inputs/outputs:  " << effect->numInputs << '/' << effect->numOutputs << '\n'
        << "Programs:        " << effect->numPrograms << '\n'
        << "Parameters:      " << effect->numParams << '\n'
        << "Initial delay:   " << effect->initialDelay << " samples\n";
}

void printPins(std::ostream& out, const host::Plugin& plugin)
{
    out << "Pins:\n";
    printPinList(out, plugin, true);
    printPinList(out, plugin, false);
}

void printParameters(std::ostream& out, const host::Plugin& plugin)
{
    out << "Parameters:\n"
        << "  " << std::right << std::setw(5) << "index" << "  " << std::left << std::setw(16) << "name" << ' '
        << std::setw(16) << "display" << ' ' << std::setw(8) << "label" << " value\n";
    for (int i = 0; i < plugin.numParams(); ++i) {
        char value[32];
        std::snprintf(value, sizeof value, "%.6f", static_cast<double>(plugin.getParameter(i)));
        out << "  " << std::right << std::setw(5) << i << "  " << std::left << std::setw(16) << plugin.parameterName(i)
            << ' ' << std::setw(16) << plugin.parameterDisplay(i) << ' ' << std::setw(8) << plugin.parameterLabel(i)
            << ' ' << value << '\n';
    }
    out << std::right;
}

void printLevels(std::ostream& out, const RunResult& result)
{
    constexpr int kColumn = 10;
    out << "Levels (dBFS) over " << result.input.frames() << " frames:\n"
        << "  " << std::setw(7) << "channel" << std::setw(kColumn) << "in peak" << std::setw(kColumn) << "in RMS"
        << std::setw(kColumn) << "out peak" << std::setw(kColumn) << "out RMS" << '\n';
    for (int c = 0; c < result.input.channels(); ++c) {
        out << "  " << std::setw(7) << c << std::setw(kColumn) << dbText(result.input.peak(c))
            << std::setw(kColumn) << dbText(result.input.rms(c)) << std::setw(kColumn)
            << dbText(result.output.peak(c)) << std::setw(kColumn) << dbText(result.output.rms(c)) << '\n';
    }
    out << "Non-finite output samples: " << result.output.nonFiniteTotal() << '\n';
}

}  // namespace vsthost
