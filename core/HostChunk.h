#pragma once

// The effect's whole state as the host saves it with its project: 596 bytes,
// little-endian 32-bit floats, one format mark in front.

#include <array>
#include <cstring>

class HostChunk {
public:
    static constexpr int kSize = 596;
    static constexpr int kMarkOffset = 0;
    static constexpr int kLabelOffset = 4;
    static constexpr int kLabelSize = 40;
    static constexpr int kParametersOffset = 44;     // parameters 0..63
    static constexpr int kMeterSettingsOffset = 300;  // RMS 72..81, VU 83..91, PPM 93..100
    static constexpr int kZeroTailOffset = 408;
    static constexpr float kFormatMark = 300.0f;

    void clear() { bytes_.fill(0); }

    // Takes at most kSize bytes; a shorter block leaves the rest zero.
    void copyFrom(const void* data, int byteSize)
    {
        clear();
        if (!data || byteSize <= 0)
            return;
        std::memcpy(bytes_.data(), data, byteSize < kSize ? static_cast<size_t>(byteSize) : kSize);
    }

    void putFloat(int offset, float value) { std::memcpy(bytes_.data() + offset, &value, sizeof value); }
    float floatAt(int offset) const
    {
        float value = 0.0f;
        std::memcpy(&value, bytes_.data() + offset, sizeof value);
        return value;
    }
    void putBytes(int offset, const void* data, int size) { std::memcpy(bytes_.data() + offset, data, size); }
    void getBytes(int offset, void* data, int size) const { std::memcpy(data, bytes_.data() + offset, size); }

    unsigned char* data() { return bytes_.data(); }

private:
    std::array<unsigned char, kSize> bytes_{};
};

static_assert(HostChunk::kZeroTailOffset == HostChunk::kMeterSettingsOffset + 27 * 4, "meter settings fill 108 bytes");
