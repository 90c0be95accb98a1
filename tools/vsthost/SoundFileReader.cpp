#include "tools/vsthost/SoundFileReader.h"

#include "tools/vsthost/HostError.h"

#include <filesystem>

namespace vsthost {

namespace {

constexpr int kMaxChannels = 2;

}  // namespace

SoundFileReader::SoundFileReader(const std::string& path)
{
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        throw HostError(kExitFile, "cannot read audio file '" + path + "': no such file");
    file_ = sf_open(path.c_str(), SFM_READ, &info_);
    if (!file_)
        throw HostError(kExitFile, "cannot read audio file '" + path + "': " + sf_strerror(nullptr));
    if (info_.channels < 1 || info_.channels > kMaxChannels || info_.samplerate <= 0) {
        const int channels = info_.channels;
        sf_close(file_);
        file_ = nullptr;
        throw HostError(kExitFile, "cannot use audio file '" + path + "': " + std::to_string(channels) +
                                       " channels; only mono or stereo files are supported");
    }
}

SoundFileReader::~SoundFileReader()
{
    if (file_)
        sf_close(file_);
}

int SoundFileReader::read(float* const* buffers, int maxFrames)
{
    const int channels = info_.channels;
    interleaved_.resize(static_cast<size_t>(maxFrames) * static_cast<size_t>(channels));
    const auto frames = static_cast<int>(sf_readf_float(file_, interleaved_.data(), maxFrames));
    for (int c = 0; c < channels; ++c) {
        float* out = buffers[c];
        const float* in = interleaved_.data() + c;
        for (int i = 0; i < frames; ++i)
            out[i] = in[static_cast<size_t>(i) * static_cast<size_t>(channels)];
    }
    return frames > 0 ? frames : 0;
}

}  // namespace vsthost
