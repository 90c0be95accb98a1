#pragma once

namespace vsthost {

// Where the host's audio comes from: a file or a generator, read block by block
// so that long inputs never sit in memory whole.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    virtual int channels() const = 0;
    virtual double sampleRate() const = 0;
    // Fills up to maxFrames frames into one buffer per channel; 0 at the end.
    virtual int read(float* const* buffers, int maxFrames) = 0;
};

}  // namespace vsthost
