#pragma once

#include <iosfwd>

namespace host {
class Plugin;
}

namespace vsthost {

struct RunResult;

// What a host shows about a loaded plug-in, as plain text.
void printIdentity(std::ostream& out, const host::Plugin& plugin);
void printPins(std::ostream& out, const host::Plugin& plugin);
void printParameters(std::ostream& out, const host::Plugin& plugin);
// Peak and RMS per channel of what went in and came out, in dBFS.
void printLevels(std::ostream& out, const RunResult& result);

}  // namespace vsthost
