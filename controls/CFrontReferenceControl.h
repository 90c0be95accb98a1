#pragma once

// The front panel's reference level: a caption image with the reference text
// beside it, dragged like a back panel knob. The image never changes; the
// panel rewrites the text whenever the reference changes.

#include "controls/CAnimKnob4.h"
#include "controls/CQORHintControl.h"
#include "toolkit/CBaseObject.h"
#include "toolkit/CFontDesc.h"

#include <array>

namespace VSTGUI {

class CFrontReferenceControl : public CAnimKnob4, public CQORHintControl {
public:
    static constexpr std::size_t kTextCapacity = 30;  // 29 characters and the terminator

    CFrontReferenceControl(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

    // Longer texts are cut to 29 characters.
    void setText(const char* text);
    const char* getText() const { return text.data(); }
    // The panel font; the control keeps a reference.
    void setFont(CFontRef font) { this->font.reset(font); }

private:
    std::array<char, kTextCapacity> text{};
    SharedPointer<CFontDesc> font;
};

}  // namespace VSTGUI
