#pragma once

// The one function through which the plug-in's entry point gives the effect
// its editor, so the effect never names the editor's classes.

#include <memory>

class AEffEditor;
class AudioEffect;

// Null when `effect` is not this plug-in's effect.
std::unique_ptr<AEffEditor> makeTemepleteEditor(AudioEffect* effect);
