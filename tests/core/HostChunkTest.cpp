// The 596-byte state block: layout byte for byte, the round trip into a new
// instance, and blocks a host should never send but might.

#include "LoadedPlugin.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

using Chunk = LoadedPlugin;

constexpr size_t kChunkSize = 596;

float floatAt(const std::vector<unsigned char>& bytes, size_t offset)
{
    float value = 0.0f;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

void putFloat(std::vector<unsigned char>& bytes, size_t offset, float value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

std::vector<VstInt32> meterSettingIndices()
{
    std::vector<VstInt32> indices;
    for (VstInt32 i = 72; i <= 81; ++i)
        indices.push_back(i);
    for (VstInt32 i = 83; i <= 91; ++i)
        indices.push_back(i);
    for (VstInt32 i = 93; i <= 100; ++i)
        indices.push_back(i);
    return indices;
}

std::string labelOf(const std::vector<unsigned char>& bytes)
{
    return std::string(reinterpret_cast<const char*>(bytes.data()) + 4);
}

TEST_F(Chunk, LayoutByteForByte)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(1, 0.65f);
    plugin->setParameter(16, 0.25f);
    plugin->setParameter(74, 0.125f);
    plugin->setParameter(100, 0.75f);
    const std::vector<unsigned char> chunk = plugin->getChunk();
    ASSERT_EQ(chunk.size(), kChunkSize);
    EXPECT_EQ(floatAt(chunk, 0), 300.0f);
    const char label[40] = "Master Track";
    EXPECT_EQ(std::memcmp(chunk.data() + 4, label, sizeof label), 0) << "label and its zero padding";
    for (VstInt32 i = 0; i < 64; ++i)
        EXPECT_EQ(floatAt(chunk, 44 + 4 * static_cast<size_t>(i)), plugin->getParameter(i)) << i;
    EXPECT_EQ(floatAt(chunk, 44 + 4), 0.65f);
    EXPECT_EQ(floatAt(chunk, 44 + 4 * 17), 0.5f) << "reserved slot";
    size_t offset = 300;
    for (VstInt32 index : meterSettingIndices()) {
        EXPECT_EQ(floatAt(chunk, offset), plugin->getParameter(index)) << index;
        offset += 4;
    }
    EXPECT_EQ(floatAt(chunk, 300 + 4 * 2), 0.125f) << "id 74";
    EXPECT_EQ(floatAt(chunk, 404), 0.75f) << "id 100 is the last";
    for (size_t i = 408; i < kChunkSize; ++i)
        ASSERT_EQ(chunk[i], 0) << "byte " << i;
    EXPECT_EQ(plugin->dispatch(effGetChunk, 1, 0, nullptr), 0) << "nowhere to hand the block";
    void* data = nullptr;
    EXPECT_EQ(plugin->dispatch(effGetChunk, 1, 0, &data), 596) << "bank and program requests alike";
    EXPECT_NE(data, nullptr);
}

TEST_F(Chunk, RoundTripIntoASecondInstance)
{
    auto source = open();
    ASSERT_TRUE(source);
    const float controls[17] = {1.0f, 0.7f, 1.0f, 0.5f, 1.0f, 0.5f, 0.0f, 1.0f, 1.0f,
                                0.0f, 1.0f, 0.33f, 0.0f, 1.0f, 0.44f, 1.0f, 0.9f};
    for (VstInt32 i = 0; i < 17; ++i)
        source->setParameter(i, controls[i]);
    float next = 0.01f;
    for (VstInt32 index : meterSettingIndices()) {
        source->setParameter(index, next);
        next += 0.03f;
    }
    std::vector<unsigned char> saved = source->getChunk();
    const char label[] = "Vocals Bus";
    std::memset(saved.data() + 4, 0, 40);
    std::memcpy(saved.data() + 4, label, sizeof label);

    source->setParameter(2, 0.5f);
    auto target = open();
    ASSERT_TRUE(target);
    EXPECT_EQ(target->setChunk(saved), 0);
    for (VstInt32 i = 0; i < 17; ++i)
        EXPECT_EQ(target->getParameter(i), controls[i]) << i;
    size_t offset = 300;
    for (VstInt32 index : meterSettingIndices()) {
        EXPECT_EQ(target->getParameter(index), floatAt(saved, offset)) << index;
        offset += 4;
    }
    const std::vector<unsigned char> again = target->getChunk();
    EXPECT_EQ(again, saved) << "the restored instance saves the very same block";
    EXPECT_EQ(labelOf(again), "Vocals Bus");
    EXPECT_EQ(boundedText(*target, effGetParamDisplay, 16, kParamTextCapacity), "899 ms");
}

TEST_F(Chunk, GlobalSourceKeepsTheMeterSettingsOfTheInstance)
{
    auto source = open();
    ASSERT_TRUE(source);
    std::vector<unsigned char> block = source->getChunk();
    putFloat(block, 44 + 4 * 2, 0.0f);  // settings source: Global
    putFloat(block, 44 + 4 * 0, 1.0f);
    putFloat(block, 300, 0.1f);         // id 72
    putFloat(block, 404, 0.9f);         // id 100

    // On Global the engines hold the process-wide set A, whatever the block says.
    auto target = open();
    ASSERT_TRUE(target);
    target->setParameter(2, 0.0f);
    const float rmsReference = target->getParameter(72);
    const float ppmPrecise = target->getParameter(100);
    ASSERT_NE(rmsReference, 0.1f);
    ASSERT_NE(ppmPrecise, 0.9f);
    target->setChunk(block);
    EXPECT_EQ(target->getParameter(0), 1.0f) << "the controls are restored";
    EXPECT_EQ(target->getParameter(2), 0.0f);
    EXPECT_EQ(target->getParameter(72), rmsReference);
    EXPECT_EQ(target->getParameter(100), ppmPrecise);

    putFloat(block, 44 + 4 * 2, 1.0f);  // Instance: the block's meter settings apply
    target->setChunk(block);
    EXPECT_EQ(target->getParameter(72), 0.1f);
    EXPECT_EQ(target->getParameter(100), 0.9f);
}

TEST_F(Chunk, ProgramNameDoesNotTravelInTheBlock)
{
    auto source = open();
    ASSERT_TRUE(source);
    std::string name = "Loud";
    source->dispatch(effSetProgramName, 0, 0, name.data());
    auto target = open();
    ASSERT_TRUE(target);
    target->setChunk(source->getChunk());
    EXPECT_EQ(boundedText(*target, effGetProgramName, 0, kVstMaxProgNameLen), "");
}

TEST_F(Chunk, MissingOrNegativeBlocksChangeNothing)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    plugin->setParameter(1, 0.8f);
    const std::vector<unsigned char> before = plugin->getChunk();
    std::vector<unsigned char> block(kChunkSize, 0);
    EXPECT_EQ(plugin->dispatch(effSetChunk, 0, 596, nullptr), 0);
    EXPECT_EQ(plugin->dispatch(effSetChunk, 0, -1, block.data()), 0);
    EXPECT_EQ(plugin->dispatch(effSetChunk, 0, std::numeric_limits<VstIntPtr>::min(), block.data()), 0);
    EXPECT_EQ(plugin->dispatch(effSetChunk, 0, 0, block.data()), 0);
    EXPECT_EQ(plugin->getChunk(), before);
}

TEST_F(Chunk, ShortBlockIsReadAsFarAsItGoes)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    // Mark and a six-letter label without its terminator, nothing more.
    std::vector<unsigned char> block(10, 0);
    putFloat(block, 0, 300.0f);
    std::memcpy(block.data() + 4, "Guitar", 6);
    EXPECT_EQ(plugin->setChunk(block), 0);
    const std::vector<unsigned char> after = plugin->getChunk();
    EXPECT_EQ(labelOf(after), "Guitar");
    EXPECT_EQ(plugin->getParameter(6), 0.0f) << "absent values read as zero";
    EXPECT_EQ(plugin->getParameter(17), 0.5f) << "reserved slots still hold one half";
}

TEST_F(Chunk, UnterminatedLabelIsCutToItsField)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    std::vector<unsigned char> block = plugin->getChunk();
    std::memset(block.data() + 4, 'L', 40);
    plugin->setChunk(block);
    const std::vector<unsigned char> after = plugin->getChunk();
    EXPECT_EQ(labelOf(after), std::string(39, 'L'));
    EXPECT_EQ(after[43], 0);
}

// A size beyond 32 bits must not wrap to a small one, and nothing past 596
// bytes is ever read.
TEST_F(Chunk, OversizedBlocksAreReadUpToTheirKnownLength)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    std::vector<unsigned char> block = plugin->getChunk();
    putFloat(block, 44 + 4 * 1, 0.25f);
    std::vector<unsigned char> larger = block;
    larger.resize(2000, 0xFF);
    EXPECT_EQ(plugin->dispatch(effSetChunk, 0, static_cast<VstIntPtr>(larger.size()), larger.data()), 0);
    EXPECT_EQ(plugin->getParameter(1), 0.25f);
    if (sizeof(VstIntPtr) == 8) {
        putFloat(block, 44 + 4 * 1, 0.75f);
        const VstIntPtr wraps = static_cast<VstIntPtr>((std::int64_t{1} << 32) + 8);
        plugin->dispatch(effSetChunk, 0, wraps, block.data());
        EXPECT_EQ(plugin->getParameter(1), 0.75f) << "read as a full block, not as 8 bytes";
    }
}

TEST_F(Chunk, NonFiniteValuesInABlockAreClamped)
{
    auto plugin = open();
    ASSERT_TRUE(plugin);
    std::vector<unsigned char> block = plugin->getChunk();
    putFloat(block, 44 + 4 * 1, std::numeric_limits<float>::quiet_NaN());
    putFloat(block, 44 + 4 * 16, std::numeric_limits<float>::infinity());
    putFloat(block, 44 + 4 * 11, -5.0f);
    plugin->setChunk(block);
    EXPECT_EQ(plugin->getParameter(1), 0.0f);
    EXPECT_EQ(plugin->getParameter(16), 1.0f);
    EXPECT_EQ(plugin->getParameter(11), 0.0f);
    EXPECT_EQ(boundedText(*plugin, effGetParamDisplay, 1, kParamTextCapacity), "-20.0dB");
}

}  // namespace
