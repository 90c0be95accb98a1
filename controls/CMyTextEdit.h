#pragma once

// Text fields that sit on a panel image: the background bitmap is the whole
// panel image and the field draws exactly the part of it that it covers, so
// moving the field never needs a new image. The AH variant refuses editing
// while PROCESS is off and says why on the hint line.

#include "controls/CQORHintControl.h"
#include "controls/CQORTextEdit.h"

namespace VSTGUI {

class CMyTextEdit : public CQORTextEdit {
public:
    // panelImage: the image of the container the field lies on.
    CMyTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* txt, CBitmap* panelImage,
                bool useControlFont = false);

    void setViewSize(const CRect& rect, bool invalid = true) override;
};

class CMyTextEditAH : public CMyTextEdit, public CQORHintControl, public CQORActiveControl {
public:
    using CMyTextEdit::CMyTextEdit;

    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
};

}  // namespace VSTGUI
