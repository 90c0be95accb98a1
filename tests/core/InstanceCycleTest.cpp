// Instances opened, used and closed in a loop: run under valgrind this
// catches leaks and invalid accesses in construction, chunks and processing.

#include "LoadedPlugin.h"

#include <vector>

namespace {

using InstanceCycle = LoadedPlugin;

TEST_F(InstanceCycle, ManyInstancesComeAndGoCleanly)
{
    constexpr int kInstances = 150;
    std::vector<float> left(512, 0.25f);
    std::vector<float> right(512, -0.25f);
    std::vector<unsigned char> chunk;
    for (int n = 0; n < kInstances; ++n) {
        auto plugin = open();
        ASSERT_TRUE(plugin) << n;
        plugin->setParameter(0, 1.0f);
        plugin->setParameter(8, (n % 2) ? 1.0f : 0.0f);
        plugin->setParameter(1, static_cast<float>(n) / kInstances);
        if (!chunk.empty())
            plugin->setChunk(chunk);
        plugin->setSampleRate(n % 3 ? 48000.0f : 44100.0f);
        plugin->resume();
        float* inputs[] = {left.data(), right.data()};
        float* outputs[] = {left.data(), right.data()};
        plugin->process(inputs, outputs, 512);
        plugin->suspend();
        chunk = plugin->getChunk();
        ASSERT_EQ(chunk.size(), 596u);
    }
    // Instances alive at the same time, closed in another order than opened.
    std::vector<std::unique_ptr<host::Plugin>> alive;
    for (int n = 0; n < 20; ++n)
        alive.push_back(open());
    for (size_t i = 0; i < alive.size(); i += 2)
        alive[i].reset();
    alive.clear();
}

}  // namespace
