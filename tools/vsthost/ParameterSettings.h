#pragma once

#include "tools/vsthost/CommandLine.h"

#include <vector>

namespace host {
class Plugin;
}

namespace vsthost {

// Sets each parameter in order; throws HostError (kExitUsage) for an index the
// plug-in does not have, before anything is set.
void applySettings(const host::Plugin& plugin, const std::vector<ParameterSetting>& settings);

}  // namespace vsthost
