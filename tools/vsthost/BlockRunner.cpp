#include "tools/vsthost/BlockRunner.h"

#include "tools/vsthost/PluginHost.h"
#include "tools/vsthost/SoundFileWriter.h"

#include <algorithm>
#include <vector>

namespace vsthost {

namespace {

// Buffers of one block for a number of channels, with their pointer table.
class ChannelBuffers {
public:
    ChannelBuffers(int channels, int frames)
        : storage_(static_cast<size_t>(std::max(channels, 1)) * static_cast<size_t>(frames)),
          pointers_(static_cast<size_t>(std::max(channels, 1)))
    {
        for (size_t c = 0; c < pointers_.size(); ++c)
            pointers_[c] = storage_.data() + c * static_cast<size_t>(frames);
    }
    float* channel(int index) const { return pointers_[static_cast<size_t>(index)]; }
    float** table() { return pointers_.data(); }
    void clear() { std::fill(storage_.begin(), storage_.end(), 0.0f); }

private:
    std::vector<float> storage_;
    std::vector<float*> pointers_;
};

}  // namespace

BlockRunner::BlockRunner(const host::Plugin& plugin, int blockFrames) : plugin_(plugin), blockFrames_(blockFrames)
{
}

RunResult BlockRunner::run(AudioSource& source, SoundFileWriter* sink) const
{
    const int fileChannels = source.channels();
    const int pluginInputs = plugin_.numInputs();
    const int pluginOutputs = plugin_.numOutputs();

    ChannelBuffers sourceBlock(fileChannels, blockFrames_);
    ChannelBuffers silence(std::max(pluginInputs, 1), blockFrames_);
    ChannelBuffers pluginOut(std::max(pluginOutputs, 1), blockFrames_);
    ChannelBuffers silentOut(1, blockFrames_);

    std::vector<float*> inputs(static_cast<size_t>(std::max(pluginInputs, 1)));
    for (int c = 0; c < pluginInputs; ++c)
        inputs[static_cast<size_t>(c)] = c < fileChannels ? sourceBlock.channel(c) : silence.channel(c);
    std::vector<const float*> written(static_cast<size_t>(fileChannels));
    for (int c = 0; c < fileChannels; ++c)
        written[static_cast<size_t>(c)] = c < pluginOutputs ? pluginOut.channel(c) : silentOut.channel(0);

    RunResult result{LevelStats(fileChannels), LevelStats(fileChannels)};
    plugin_.startProcess();
    for (;;) {
        const int frames = source.read(sourceBlock.table(), blockFrames_);
        if (frames <= 0)
            break;
        result.input.add(sourceBlock.table(), frames);
        // A plug-in that scribbles on its inputs or skips an output must not leak into the next block.
        silence.clear();
        silentOut.clear();
        pluginOut.clear();
        plugin_.process(inputs.data(), pluginOut.table(), frames);
        result.output.add(written.data(), frames);
        if (sink)
            sink->write(written.data(), frames);
    }
    plugin_.stopProcess();
    return result;
}

}  // namespace vsthost
