#pragma once

// A text label edited in place. A mouse press opens an edit field over the
// control: it takes the keyboard focus, starts with the whole text selected,
// accepts up to 255 characters and copies the first 29 into the control's
// text as they are typed. Return, Tab or losing the focus keep the text,
// Escape restores the text the control had before; either way the listener
// hears valueChanged once and the focus goes back to the frame. Only one
// field is open in the process at a time.

#include "toolkit/CTextLabel.h"
#include "toolkit/TextEditBuffer.h"

#include <array>

class CQORTextEdit : public VSTGUI::CTextLabel {
public:
    static constexpr std::size_t kMaxTextCharacters = 29;
    static constexpr std::size_t kMaxEditCharacters = 255;

    struct OptionalColor {
        VSTGUI::CColor color;
        bool set = false;
    };

    // `unusedBitmap` is accepted for the subclasses' constructors and ignored.
    // With `useControlFont` the edit field draws in the control's own font,
    // otherwise in a system face of the control font's name and size.
    CQORTextEdit(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, int32_t tag, const char* txt,
                 VSTGUI::CBitmap* background, VSTGUI::CBitmap* unusedBitmap = nullptr, bool useControlFont = false);
    ~CQORTextEdit() override;

    // The first colour, when set, is the edit field's text colour; the other
    // three are kept for the subclasses' drawing.
    void setColor1(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) { setColor(0, red, green, blue, alpha); }
    void setColor2(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) { setColor(1, red, green, blue, alpha); }
    void setColor3(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) { setColor(2, red, green, blue, alpha); }
    // index 0..3; an unset colour for any other index.
    OptionalColor getColor(int index) const;

    // With a value-to-string procedure (setValueToStringProc), setting the
    // value replaces the text with the procedure's text for it.
    void setValue(float val) override;

    void drawRect(VSTGUI::CDrawContext* context, const VSTGUI::CRect& updateRect) override;
    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    int32_t onKeyDown(VSTGUI::KeyCode& keyCode) override;
    void takeFocus() override;
    void looseFocus() override;
    bool removed(VSTGUI::CView* parent) override;

    bool isTextEditing() const { return textEditing; }
    // The open field's own text (up to 255 characters), empty when closed.
    const std::string& getEditText() const { return buffer.getText(); }
    // The edit field in the view's coordinates: as wide as the control, font
    // size + 3 high, centred on the control and one pixel up.
    VSTGUI::CRect getEditRect() const;
    // The field open in this process, if any.
    static CQORTextEdit* activeEdit() { return active; }

    const char* getClassName() const override { return "CQORTextEdit"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQORTextEdit") == 0 || VSTGUI::CTextLabel::isTypeOf(s);
    }

protected:
    void drawEditField(VSTGUI::CDrawContext* context);
    // Closes the field; `keep` chooses the typed text over the saved one.
    void endEditing(bool keep, bool notify);

private:
    void setColor(int index, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    void startEditing();

    static inline CQORTextEdit* active = nullptr;

    std::array<OptionalColor, 4> colors{};
    VSTGUI::TextEditBuffer buffer;
    std::string savedText;
    bool useControlFont;
    bool textEditing = false;
};
