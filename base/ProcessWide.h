#pragma once

// Values shared by every instance that the loaded library serves, set from
// whichever thread the host calls on: a stale read only delays a display or
// a new instance's default.

#include <atomic>

namespace processwide {

// The meter a new instance starts with: 0 VU, 1 RMS, 2 PPM.
inline std::atomic<int> SelectedMeter{0};

}  // namespace processwide

// Knob mode the host chose for the editor's knobs; the GUI binding reads it.
int editKnobMode();
void setEditKnobMode(int mode);
