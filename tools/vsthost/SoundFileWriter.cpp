#include "tools/vsthost/SoundFileWriter.h"

#include "tools/vsthost/HostError.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vsthost {

namespace {

int formatForName(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".wav")
        return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    if (extension == ".aif" || extension == ".aiff")
        return SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
    if (extension == ".flac")
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    return 0;
}

}  // namespace

SoundFileWriter::SoundFileWriter(const std::string& path, int channels, double sampleRate)
    : path_(path), channels_(channels)
{
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = static_cast<int>(sampleRate);
    info.format = formatForName(path);
    if (info.format == 0)
        throw HostError(kExitFile, "cannot write '" + path + "': use a .wav, .flac, .aif or .aiff name");
    if (!sf_format_check(&info))
        throw HostError(kExitFile, "cannot write '" + path + "': format does not take " +
                                       std::to_string(channels) + " channels at " +
                                       std::to_string(info.samplerate) + " Hz");
    file_ = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file_)
        throw HostError(kExitFile, "cannot write '" + path + "': " + sf_strerror(nullptr));
    // Float data beyond full scale must survive into integer formats as clipping, not wrap-around.
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

SoundFileWriter::~SoundFileWriter()
{
    if (file_)
        sf_close(file_);
}

void SoundFileWriter::write(const float* const* buffers, int frames)
{
    interleaved_.resize(static_cast<size_t>(frames) * static_cast<size_t>(channels_));
    for (int c = 0; c < channels_; ++c) {
        const float* in = buffers[c];
        float* out = interleaved_.data() + c;
        for (int i = 0; i < frames; ++i)
            out[static_cast<size_t>(i) * static_cast<size_t>(channels_)] = in[i];
    }
    if (sf_writef_float(file_, interleaved_.data(), frames) != frames)
        throw HostError(kExitFile, "cannot write '" + path_ + "': " + sf_strerror(file_));
}

void SoundFileWriter::close()
{
    if (!file_)
        return;
    SNDFILE* file = file_;
    file_ = nullptr;
    if (sf_close(file) != 0)
        throw HostError(kExitFile, "cannot finish '" + path_ + "'");
}

}  // namespace vsthost
