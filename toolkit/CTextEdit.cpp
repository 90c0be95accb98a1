#include "toolkit/CTextEdit.h"

#include "toolkit/CFrame.h"

namespace VSTGUI {

namespace {

constexpr CColor kSelectionColor = MakeCColor(80, 120, 200, 160);
constexpr CCoord kTextMarginPx = 2;

}  // namespace

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* txt,
                     CBitmap* background, int32_t style)
    : CTextLabel(size, txt, background, style)
{
    setListener(listener);
    setTag(tag);
    setWantsFocus(true);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    if (!textEditing) {
        if (CFrame* frame = getFrame())
            frame->setFocusView(this);
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus()
{
    CFrame* frame = getFrame();
    if (textEditing || !frame)
        return;
    textEditing = true;
    beginEdit();
    buffer.start(text);
    frame->setKeyboardFocus(true);
    invalid();
}

void CTextEdit::looseFocus()
{
    if (!textEditing)
        return;
    textEditing = false;
    if (CFrame* frame = getFrame())
        frame->setKeyboardFocus(false);
    setText(buffer.getText().c_str());
    invalid();
    if (!leavingTree)
        valueChanged();
    endEdit();
}

bool CTextEdit::removed(CView* parent)
{
    leavingTree = true;
    const bool result = CTextLabel::removed(parent);
    leavingTree = false;
    return result;
}

int32_t CTextEdit::onKeyDown(KeyCode& keyCode)
{
    if (!textEditing)
        return -1;
    switch (buffer.key(keyCode)) {
    case TextEditBuffer::Result::Ignored:
        return -1;
    case TextEditBuffer::Result::Commit:
    case TextEditBuffer::Result::Cancel:
        if (CFrame* frame = getFrame())
            frame->setFocusView(nullptr);
        return 1;
    case TextEditBuffer::Result::Moved:
    case TextEditBuffer::Result::Changed:
        invalid();
        return 1;
    }
    return -1;
}

void CTextEdit::draw(CDrawContext* context)
{
    if (!textEditing) {
        CTextLabel::draw(context);
        return;
    }
    drawBack(context);
    context->setFont(fontID);
    const std::string& editText = buffer.getText();
    const CCoord textWidth = context->getStringWidth(editText.c_str());
    CRect textRect(size);
    textRect.inset(textInset.x + kTextMarginPx, textInset.y);
    CCoord left = textRect.left;
    if (horiTxtAlign == kCenterText)
        left = textRect.left + (textRect.getWidth() - textWidth) / 2;
    else if (horiTxtAlign == kRightText)
        left = textRect.right - textWidth;
    // Keep the caret in view when the text is wider than the field.
    const CCoord caretX = context->getStringWidth(editText.substr(0, buffer.getCaret()).c_str());
    if (left + caretX > textRect.right)
        left = textRect.right - caretX;
    if (left + caretX < textRect.left)
        left = textRect.left - caretX;
    const CCoord fontSize = fontID->getSize();
    const CCoord midY = size.top + size.getHeight() / 2;
    if (buffer.isAllSelected() && !editText.empty()) {
        context->setFillColor(kSelectionColor);
        context->drawRect(CRect(left, midY - fontSize / 2 - 1, left + textWidth, midY + fontSize / 2 + 1), kDrawFilled);
    }
    CRect lineRect(left, size.top, left + textWidth + 1, size.bottom);
    context->setFontColor(fontColor);
    context->drawString(editText.c_str(), lineRect, kLeftText, bAntialias);
    context->setDrawMode(kAliasing);
    context->setLineWidth(1);
    context->setFrameColor(fontColor);
    context->drawLine(CPoint(left + caretX, midY - fontSize / 2), CPoint(left + caretX, midY + fontSize / 2));
    setDirty(false);
}

}  // namespace VSTGUI
