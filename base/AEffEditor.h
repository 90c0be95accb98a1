#pragma once

// The editor side of the host boundary: what the effect's dispatcher forwards
// to its editor. The GUI binding derives from it; the effect only ever sees
// this narrow interface, never the editor's own classes.

#include "base/VstInterface.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect) : effect(effect) {}
    virtual ~AEffEditor() = default;
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual bool getRect(ERect** rect)
    {
        if (rect)
            *rect = nullptr;
        return false;
    }
    virtual bool open(void* parentWindow)
    {
        systemWindow = parentWindow;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() const { return systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode&) { return false; }
    virtual bool onKeyUp(VstKeyCode&) { return false; }
    virtual bool setKnobMode(VstInt32) { return false; }

    // Every parameter change of the effect ends here, so controls follow
    // automation, chunks and the engines' settings sources.
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
};
