#pragma once

// A text label the user can edit in place: a left click takes the keyboard
// focus and edits the text where it stands (caret, whole text selected at the
// start); Return, Tab or a click elsewhere keep the new text, Escape restores
// the old one. Either way the listener hears valueChanged once at the end,
// inside a beginEdit/endEdit bracket.

#include "toolkit/CTextLabel.h"
#include "toolkit/TextEditBuffer.h"

namespace VSTGUI {

class CTextEdit : public CTextLabel {
public:
    CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* txt = nullptr,
              CBitmap* background = nullptr, int32_t style = 0);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(KeyCode& keyCode) override;
    void takeFocus() override;
    void looseFocus() override;
    bool removed(CView* parent) override;

    bool isTextEditing() const { return textEditing; }

    const char* getClassName() const override { return "CTextEdit"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CTextEdit") == 0 || CTextLabel::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CTextEdit(*this); }

private:
    TextEditBuffer buffer;
    bool textEditing = false;
    bool leavingTree = false;
};

}  // namespace VSTGUI
