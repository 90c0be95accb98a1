#pragma once

// The strip label: the track name written on a strip of tape in the
// product's own typeface. While the name is being typed a pen hovers over
// the tape and "writes", one small move per animation step.

#include "controls/CMyTextEdit.h"
#include "toolkit/CBaseObject.h"

#include <cstdint>

namespace VSTGUI {

class CQORTapeLabel : public CMyTextEdit {
public:
    static constexpr int32_t kTag = 69;
    static constexpr int32_t kAnimationSteps = 95;
    static constexpr uint32_t kStepIntervalMs = 30;
    static constexpr const char* kDefaultText = "QOR Valdora";

    // panelImage: the label strip's image; the pen image is loaded here.
    CQORTapeLabel(const CRect& size, CControlListener* listener, CBitmap* panelImage);

    void draw(CDrawContext* context) override;
    // The edit field paints the tape over the whole label; the pen goes on top of it.
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void setViewSize(const CRect& rect, bool invalid = true) override;

    // One animation step, from the label strip's idle, while the name is
    // being typed: moves the pen when kStepIntervalMs passed since the last
    // step. nowMs is the frame's tick count.
    void animationStep(uint64_t nowMs);
    void animationStep();

    int32_t getAnimationStep() const { return animationCounter; }
    const CRect& getPenRect() const { return penRect; }
    CRect initialPenRect() const;

private:
    SharedPointer<CBitmap> pen;
    CRect penRect;
    int32_t animationCounter = 0;
    uint64_t lastStepMs = 0;
};

}  // namespace VSTGUI
