#include "controls/CQORTextEdit.h"

#include "controls/PanelPalette.h"
#include "toolkit/CFrame.h"

using namespace VSTGUI;

namespace {

constexpr CCoord kDefaultFontSize = 12;
constexpr CCoord kFieldExtraHeightPx = 3;

// The first `count` characters of UTF-8 text, never splitting one.
std::string firstCharacters(const std::string& text, std::size_t count)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == count)
            return text.substr(0, i);
    }
    return text;
}

}  // namespace

CQORTextEdit::CQORTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* txt,
                           CBitmap* background, CBitmap*, bool useControlFont)
    : CTextLabel(size, txt, background), useControlFont(useControlFont)
{
    setListener(listener);
    setTag(tag);
    setWantsFocus(true);
}

CQORTextEdit::~CQORTextEdit()
{
    if (active == this)
        active = nullptr;
}

void CQORTextEdit::setColor(int index, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    colors[static_cast<std::size_t>(index)] = {MakeCColor(red, green, blue, alpha), true};
}

CQORTextEdit::OptionalColor CQORTextEdit::getColor(int index) const
{
    if (index < 0 || index >= static_cast<int>(colors.size()))
        return {};
    return colors[static_cast<std::size_t>(index)];
}

void CQORTextEdit::setValue(float val)
{
    CTextLabel::setValue(val);
    if (!valueToString)
        return;
    char converted[256] = {};
    if (valueToString(val, converted, valueToStringUserData))
        setText(converted);
}

CRect CQORTextEdit::getEditRect() const
{
    const CCoord fontSize = fontID ? fontID->getSize() : kDefaultFontSize;
    const CCoord top = size.top - 1;
    const CCoord bottom = size.bottom - 1;
    const int middle = static_cast<int>((top + bottom) / 2);
    const int fieldTop = static_cast<int>(middle - fontSize / 2 - 1);
    return CRect(size.left, fieldTop, size.right, fieldTop + fontSize + kFieldExtraHeightPx);
}

CMouseEventResult CQORTextEdit::onMouseDown(CPoint&, const CButtonState&)
{
    if (!textEditing) {
        if (CFrame* frame = getFrame())
            frame->setFocusView(this);
    }
    return kMouseEventHandled;
}

void CQORTextEdit::takeFocus() { startEditing(); }

void CQORTextEdit::looseFocus() { endEditing(true, true); }

void CQORTextEdit::startEditing()
{
    CFrame* frame = getFrame();
    if (textEditing || !frame)
        return;
    // One field at a time: the open one keeps its text and closes.
    if (active && active != this)
        active->endEditing(true, true);
    textEditing = true;
    active = this;
    savedText = firstCharacters(text, kMaxTextCharacters);
    buffer.start(text, kMaxEditCharacters);
    text.clear();
    frame->setKeyboardFocus(true);
    invalid();
}

void CQORTextEdit::endEditing(bool keep, bool notify)
{
    if (!textEditing)
        return;
    textEditing = false;
    if (active == this)
        active = nullptr;
    text = keep ? firstCharacters(buffer.getText(), kMaxTextCharacters) : savedText;
    buffer.start(std::string());
    if (CFrame* frame = getFrame()) {
        frame->setKeyboardFocus(false);
        if (frame->getFocusView() == this)
            frame->setFocusView(nullptr);
    }
    invalid();
    if (notify)
        valueChanged();
}

bool CQORTextEdit::removed(CView* parent)
{
    endEditing(true, false);
    return CTextLabel::removed(parent);
}

int32_t CQORTextEdit::onKeyDown(KeyCode& keyCode)
{
    if (!textEditing)
        return -1;
    switch (buffer.key(keyCode)) {
    case TextEditBuffer::Result::Ignored:
        return -1;
    case TextEditBuffer::Result::Commit:
        endEditing(true, true);
        return 1;
    case TextEditBuffer::Result::Cancel:
        endEditing(false, true);
        return 1;
    case TextEditBuffer::Result::Changed:
        text = firstCharacters(buffer.getText(), kMaxTextCharacters);
        invalid();
        return 1;
    case TextEditBuffer::Result::Moved:
        invalid();
        return 1;
    }
    return -1;
}

void CQORTextEdit::draw(CDrawContext* context)
{
    if (!textEditing) {
        CTextLabel::draw(context);
        return;
    }
    // The field shows the text; the control under it shows only its background.
    drawBack(context);
    setDirty(false);
}

void CQORTextEdit::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CTextLabel::drawRect(context, updateRect);
    if (textEditing)
        drawEditField(context);
}

void CQORTextEdit::drawEditField(CDrawContext* context)
{
    const CRect field = getEditRect();
    const CRect oldClip = context->getClipRect();
    CRect clip(field);
    context->setClipRect(clip.bound(oldClip));
    drawBack(context);

    const CCoord fontSize = fontID ? fontID->getSize() : kDefaultFontSize;
    SharedPointer<CFontDesc> font;
    if (useControlFont && fontID)
        font.reset(fontID);
    else {
        font.reset(new CFontDesc(fontID ? fontID->getName() : nullptr, fontSize, kNormalFace));
        font->forget();
    }
    context->setFont(font.get());

    const std::string& editText = buffer.getText();
    const CCoord textWidth = context->getStringWidth(editText.c_str());
    CCoord left = field.left;
    if (horiTxtAlign == kCenterText)
        left = field.left + (field.getWidth() - textWidth) / 2;
    else if (horiTxtAlign == kRightText)
        left = field.right - textWidth;
    // Scrolls sideways to keep the caret in the field.
    const CCoord caretX = context->getStringWidth(editText.substr(0, buffer.getCaret()).c_str());
    if (left + caretX > field.right)
        left = field.right - caretX;
    if (left + caretX < field.left)
        left = field.left - caretX;
    if (buffer.isAllSelected() && !editText.empty()) {
        context->setFillColor(palette::kTextSelection);
        context->drawRect(CRect(left, field.top, left + textWidth, field.bottom), kDrawFilled);
    }
    const CColor textColor = colors[0].set ? colors[0].color : fontColor;
    context->setFontColor(textColor);
    context->drawString(editText.c_str(), CRect(left, field.top, left + textWidth + 1, field.bottom), kLeftText,
                        bAntialias);
    context->setDrawMode(kAliasing);
    context->setLineWidth(1);
    context->setFrameColor(textColor);
    context->drawLine(CPoint(left + caretX, field.top + 1), CPoint(left + caretX, field.bottom - 1));
    context->setClipRect(oldClip);
}
