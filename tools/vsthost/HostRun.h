#pragma once

#include <iosfwd>

namespace vsthost {

struct Options;

// The ordinary run: load, optionally restore a chunk and set parameters, show the
// plug-in, process a file or a generated signal, optionally save the chunk.
// Returns the exit code; failures arrive as HostError.
int runHost(const Options& options, std::ostream& out);

}  // namespace vsthost
