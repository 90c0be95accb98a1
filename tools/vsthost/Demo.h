#pragma once

#include <iosfwd>
#include <string>

namespace vsthost {

struct Options;

// A guided tour of a plug-in as a host drives it: identity and parameters, a few
// parameters set, two seconds of stereo test signal processed with levels shown,
// and the state chunk carried into a second instance. Returns kExitCheckFailed
// when the output is not finite or the second instance does not match.
int runDemo(const Options& options, const std::string& pluginPath, std::ostream& out);

}  // namespace vsthost
