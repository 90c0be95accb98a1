#pragma once

// One process-wide monotonic millisecond clock. The audio path stamps its
// blocks with it and the editor's frame ticks read it, so the two agree.
namespace platform {

// Milliseconds since an arbitrary fixed point; never goes backwards.
// Safe to call from the audio thread (vDSO clock read, no allocation).
double monotonicMs();

// The system's clock behind monotonicMs.
double systemMonotonicMs();

// Tests put a clock of their own in front of the system's (a clock after
// days of uptime, say); null gives the system's back.
using MsClock = double (*)();
void setMonotonicMsSource(MsClock source);

}  // namespace platform
