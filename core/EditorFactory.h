#pragma once

// The one function through which the plug-in's entry point gives the effect
// its editor, so the effect never names the editor's classes. Declared here,
// defined by the editor (or by its stand-in in builds without one).

#include <memory>

class AEffEditor;
class AudioEffect;

// Null when `effect` is not this plug-in's effect.
std::unique_ptr<AEffEditor> makeTemepleteEditor(AudioEffect* effect);
