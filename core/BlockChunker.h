#pragma once

// Splits a block into runs of at most maxFrames, so fixed work buffers can
// carry blocks of any length.

template <typename Fn>
void forEachChunk(int frames, int maxFrames, Fn&& fn)
{
    for (int offset = 0; offset < frames; offset += maxFrames) {
        const int remaining = frames - offset;
        fn(offset, remaining < maxFrames ? remaining : maxFrames);
    }
}
