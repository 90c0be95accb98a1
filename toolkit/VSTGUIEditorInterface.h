#pragma once

// What a frame asks of the editor that owns it: the edit bracket of a
// parameter, the knob mode and the idle hook.

#include <cstdint>

namespace VSTGUI {

class CFrame;

enum CKnobMode : int32_t { kCircularMode = 0, kRelativCircularMode, kLinearMode };

class VSTGUIEditorInterface {
public:
    virtual ~VSTGUIEditorInterface() = default;
    virtual void doIdleStuff() {}
    virtual void beginEdit(int32_t /*index*/) {}
    virtual void endEdit(int32_t /*index*/) {}
    virtual int32_t getKnobMode() const { return kCircularMode; }
    // Device pixels per view pixel of the editor's window, fixed while it is open.
    virtual double getEditorScale() const { return 1.0; }
    virtual CFrame* getFrame() const { return frame; }

protected:
    CFrame* frame = nullptr;
};

}  // namespace VSTGUI
