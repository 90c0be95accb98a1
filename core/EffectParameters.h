#pragma once

// The effect's parameter memory and what the host reads about each index:
// names, display texts and properties. Values are stored as last set (after
// clamping); deriving and forwarding them is the effect's job.

#include "base/ParameterIds.h"
#include "base/VstInterface.h"

#include <array>
#include <atomic>

class EffectParameters {
public:
    // What a display shows besides the stored value itself.
    struct DisplaySources {
        float highPassHz = 20.0f;
        float lowPassHz = 30000.0f;
        int delayMs = 0;
    };

    EffectParameters();

    // Stored value of a control or meter setting, 0.5 for a reserved slot,
    // 0.0 for every other index.
    float value(VstInt32 index) const;
    // Keeps the value for controls and meter settings; reserved slots and
    // other indices ignore it.
    void store(VstInt32 index, float clampedValue);

    // Texts are written within param::kTextSize bytes; empty for indices
    // without a name or display.
    static void name(VstInt32 index, char* text);
    void display(VstInt32 index, const DisplaySources& sources, char* text) const;
    static bool properties(VstInt32 index, VstParameterProperties* properties);

private:
    // Stored from the host's threads, read by the editor and getParameter.
    std::array<std::atomic<float>, param::kHighestIndex + 1> values_{};
};
