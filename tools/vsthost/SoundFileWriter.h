#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

namespace vsthost {

// Writes float blocks to a file whose format follows the name: .wav and .aif/.aiff
// as 32-bit float, .flac as 24-bit.
class SoundFileWriter {
public:
    // Throws HostError for an unknown extension or a file that cannot be created.
    SoundFileWriter(const std::string& path, int channels, double sampleRate);
    ~SoundFileWriter();
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    void write(const float* const* buffers, int frames);
    // Flushes and closes; throws when the data did not reach the file.
    void close();

private:
    std::string path_;
    int channels_;
    SNDFILE* file_ = nullptr;
    std::vector<float> interleaved_;
};

}  // namespace vsthost
