#pragma once

// The editor binding of the plug-in interface: what the host reaches
// through the effect (rectangle, open, close, idle, keys, knob mode), and
// the frame's edit bracket passed on to the effect. The window contents are
// the subclass's: it creates `frame` in open and closes it in close.

#include "core/AEffEditor.h"
#include "toolkit/VSTGUIEditorInterface.h"

#include <cstdint>

namespace VSTGUI {
class CFrame;
}

class AEffGUIEditor : public AEffEditor, public VSTGUI::VSTGUIEditorInterface {
public:
    explicit AEffGUIEditor(AudioEffect* effect);
    ~AEffGUIEditor() override;

    // The window's rectangle in device pixels: the editor's own rectangle
    // times the scale it opens (or would open) at.
    bool getRect(ERect** ppRect) override;
    // Fixes the scale for the window about to open.
    bool open(void* ptr) override;
    // Closes and releases the frame if the subclass left one.
    void close() override;
    // Reads the window's events and redraws what changed; nothing else draws.
    void idle() override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    // The knob mode is one per process, as hosts set it for all editors.
    bool setKnobMode(VstInt32 val) override;
    int32_t getKnobMode() const override { return knobMode; }

    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;
    void doIdleStuff() override;
    uint64_t getTicks() const;
    double getEditorScale() const override { return scale; }
    // A scale for the editors that open from now on instead of the user's
    // and the desktop's choice (offscreen renders, tests); 0 lets them choose.
    static void setScaleOverride(double newScale);

protected:
    // A length in the editor's coordinates as device pixels.
    int toDevicePixels(int length) const;

    ERect rect{};  // in the editor's coordinates
    bool inIdleStuff = false;

private:
    double chooseScale(void* parentWindow) const;

    ERect deviceRect{};
    double scale = 1.0;
    bool scaleChosen = false;
    static inline int32_t knobMode = VSTGUI::kCircularMode;
    static inline double scaleOverride = 0.0;
};
