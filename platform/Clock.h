#pragma once

// One process-wide monotonic millisecond clock. The audio path stamps its
// blocks with it and the editor's frame ticks read it, so the two agree.
namespace platform {

// Milliseconds since an arbitrary fixed point; never goes backwards.
// Safe to call from the audio thread (vDSO clock read, no allocation).
double monotonicMs();

}  // namespace platform
