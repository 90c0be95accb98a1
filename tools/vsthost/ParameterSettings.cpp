#include "tools/vsthost/ParameterSettings.h"

#include "tools/vsthost/HostError.h"
#include "tools/vsthost/PluginHost.h"

#include <string>

namespace vsthost {

void applySettings(const host::Plugin& plugin, const std::vector<ParameterSetting>& settings)
{
    for (const ParameterSetting& setting : settings)
        if (setting.index >= plugin.numParams())
            throw HostError(kExitUsage, "--set: the plug-in has no parameter " + std::to_string(setting.index) +
                                            " (it has " + std::to_string(plugin.numParams()) + ")");
    for (const ParameterSetting& setting : settings)
        plugin.setParameter(setting.index, setting.value);
}

}  // namespace vsthost
