#pragma once

// A kick button that also shows when the mouse is over it. Its bitmap stacks
// three images of heightOfOneImage: normal, mouse over, pressed. Only the
// press reaches the listener; the release just puts the button back.

#include "toolkit/CKickButton.h"

class CQSKickButton : public VSTGUI::CKickButton {
public:
    enum Image : int { kImageNormal = 0, kImageHover = 1, kImagePressed = 2 };

    CQSKickButton(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
                  VSTGUI::CBitmap* background, const VSTGUI::CPoint& offset = VSTGUI::CPoint(0, 0));
    CQSKickButton(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag,
                  VSTGUI::CCoord heightOfOneImage, VSTGUI::CBitmap* background,
                  const VSTGUI::CPoint& offset = VSTGUI::CPoint(0, 0));

    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseEntered(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseExited(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;

    bool isHover() const { return hover; }
    bool isPressed() const { return pressed; }
    // The image draw would show now.
    Image currentImage() const;

    const char* getClassName() const override { return "CQSKickButton"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQSKickButton") == 0 || VSTGUI::CKickButton::isTypeOf(s);
    }
    VSTGUI::CBaseObject* newCopy() const override { return new CQSKickButton(*this); }

protected:
    bool hover = false;
    bool pressed = false;
};
