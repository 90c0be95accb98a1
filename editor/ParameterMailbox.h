#pragma once

// Parameter changes that arrive on a thread other than the editor's, kept
// until the editor's next idle. Hosts call setParameter from their audio or
// automation threads while the window is being drawn; the views may only be
// touched on the thread that opened them. Posting takes no lock and never
// allocates, so it is safe from the audio thread; a parameter posted twice
// before an idle keeps its newest value.

#include "base/ParameterIds.h"

#include <array>
#include <atomic>
#include <cstddef>

class ParameterMailbox {
public:
    static constexpr std::size_t kSlots = static_cast<std::size_t>(param::kHighestIndex) + 1;

    void post(VstInt32 index, float value)
    {
        if (index < 0 || static_cast<std::size_t>(index) >= kSlots)
            return;
        const auto slot = static_cast<std::size_t>(index);
        values[slot].store(value, std::memory_order_relaxed);
        posted[slot].store(true, std::memory_order_release);
    }

    // Hands every posted parameter to `apply(index, value)`, lowest index first.
    template <typename Apply>
    void deliver(Apply&& apply)
    {
        for (std::size_t slot = 0; slot < kSlots; ++slot)
            if (posted[slot].load(std::memory_order_relaxed) && posted[slot].exchange(false, std::memory_order_acquire))
                apply(static_cast<VstInt32>(slot), values[slot].load(std::memory_order_relaxed));
    }

    void clear()
    {
        for (auto& flag : posted)
            flag.store(false, std::memory_order_relaxed);
    }

private:
    std::array<std::atomic<float>, kSlots> values{};
    std::array<std::atomic<bool>, kSlots> posted{};
};
