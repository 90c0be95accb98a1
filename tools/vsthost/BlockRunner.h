#pragma once

#include "tools/vsthost/AudioSource.h"
#include "tools/vsthost/LevelStats.h"

namespace host {
class Plugin;
}

namespace vsthost {

class SoundFileWriter;

struct RunResult {
    LevelStats input;
    LevelStats output;
};

// Streams a source through a resumed plug-in in blocks, as a host's audio thread
// does. The output has as many channels as the source: source channels beyond
// the plug-in's inputs are not heard, inputs beyond the source get silence, and
// outputs the plug-in lacks are written as silence.
class BlockRunner {
public:
    BlockRunner(const host::Plugin& plugin, int blockFrames);

    // sink may be null when only the levels are wanted.
    RunResult run(AudioSource& source, SoundFileWriter* sink) const;

private:
    const host::Plugin& plugin_;
    int blockFrames_;
};

}  // namespace vsthost
