#pragma once

#include "tools/vsthost/AudioSource.h"

#include <sndfile.h>

#include <string>
#include <vector>

namespace vsthost {

// A mono or stereo WAV, FLAC or AIFF file (anything libsndfile reads), delivered
// as 32-bit float blocks.
class SoundFileReader : public AudioSource {
public:
    // Throws HostError when the file is missing, unreadable or has more than two channels.
    explicit SoundFileReader(const std::string& path);
    ~SoundFileReader() override;
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    int channels() const override { return info_.channels; }
    double sampleRate() const override { return info_.samplerate; }
    long long frames() const { return info_.frames; }
    int read(float* const* buffers, int maxFrames) override;

private:
    SF_INFO info_{};
    SNDFILE* file_ = nullptr;
    std::vector<float> interleaved_;
};

}  // namespace vsthost
