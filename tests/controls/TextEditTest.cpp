// In-place editing of CQORTextEdit through a frame's events and keys.

#include "controls/CQORCustomFont.h"
#include "controls/CQORTextEdit.h"
#include "tests/toolkit/ToolkitProbes.h"
#include "toolkit/CDrawContext.h"

#include <gtest/gtest.h>

namespace {

using namespace VSTGUI;
using toolkit_test::RecordingEditor;

KeyCode character(char c) { return KeyCode{c, 0, 0}; }
KeyCode virtualKey(unsigned char virt) { return KeyCode{0, virt, 0}; }


class TextEditBench : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CFrame(CRect(0, 0, 300, 100), nullptr, &editor);
        edit = new CQORTextEdit(CRect(10, 10, 110, 30), &editor, 69, "Drums", nullptr);
        frame->addView(edit);
    }
    void TearDown() override { frame->close(); }

    void click(CCoord x = 20, CCoord y = 20)
    {
        CPoint p(x, y);
        frame->onMouseDown(p, kLButton);
        frame->onMouseUp(p, kLButton);
    }
    void type(const std::string& text)
    {
        for (char c : text) {
            KeyCode key = character(c);
            frame->onKeyDown(key);
        }
    }
    void press(unsigned char virt)
    {
        KeyCode key = virtualKey(virt);
        frame->onKeyDown(key);
    }

    RecordingEditor editor;
    CFrame* frame = nullptr;
    CQORTextEdit* edit = nullptr;
};

TEST_F(TextEditBench, PressOpensTheFieldWithTheFocusAndTheOldTextSelected)
{
    click();
    ASSERT_TRUE(edit->isTextEditing());
    EXPECT_EQ(frame->getFocusView(), edit);
    EXPECT_EQ(CQORTextEdit::activeEdit(), edit);
    EXPECT_EQ(edit->getEditText(), "Drums");
    EXPECT_STREQ(edit->getText(), "") << "the control's own text is cleared while the field shows it";
    EXPECT_TRUE(editor.values.empty());
}

TEST_F(TextEditBench, ReturnKeepsTheTypedTextAndTellsTheListenerOnce)
{
    click();
    type("Bass");
    EXPECT_STREQ(edit->getText(), "Bass") << "typing updates the control as it goes";
    press(kKeyReturn);
    EXPECT_FALSE(edit->isTextEditing());
    EXPECT_STREQ(edit->getText(), "Bass");
    EXPECT_EQ(editor.values.size(), 1u);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(CQORTextEdit::activeEdit(), nullptr);
}

TEST_F(TextEditBench, EscapeRestoresTheTextFromBeforeEditing)
{
    click();
    type("Vox");
    press(kKeyEscape);
    EXPECT_FALSE(edit->isTextEditing());
    EXPECT_STREQ(edit->getText(), "Drums");
    EXPECT_EQ(editor.values.size(), 1u);
}

TEST_F(TextEditBench, TabAndAClickElsewhereKeepTheText)
{
    click();
    type("Keys");
    press(kKeyTab);
    EXPECT_STREQ(edit->getText(), "Keys");

    click();
    type("Pads");
    click(250, 80);
    EXPECT_FALSE(edit->isTextEditing());
    EXPECT_STREQ(edit->getText(), "Pads");
    EXPECT_EQ(editor.values.size(), 2u);
}

TEST_F(TextEditBench, FortyTypedCharactersStayInTheFieldButTheControlKeepsTwentyNine)
{
    click();
    const std::string forty(40, 'x');
    type(forty);
    EXPECT_EQ(edit->getEditText(), forty);
    press(kKeyReturn);
    EXPECT_EQ(std::string(edit->getText()), std::string(29, 'x'));
}

TEST_F(TextEditBench, OnlyOneFieldOpenInTheProcess)
{
    auto* other = new CQORTextEdit(CRect(10, 50, 110, 70), &editor, 70, "Gtr", nullptr);
    frame->addView(other);
    CFrame* secondFrame = new CFrame(CRect(0, 0, 200, 50), nullptr, &editor);
    auto* elsewhere = new CQORTextEdit(CRect(0, 0, 100, 20), &editor, 71, "Sub", nullptr);
    secondFrame->addView(elsewhere);

    click();
    type("Kick");
    CPoint p(5, 5);
    secondFrame->onMouseDown(p, kLButton);
    EXPECT_TRUE(elsewhere->isTextEditing());
    EXPECT_FALSE(edit->isTextEditing());
    EXPECT_STREQ(edit->getText(), "Kick");
    EXPECT_EQ(CQORTextEdit::activeEdit(), elsewhere);
    secondFrame->close();
    EXPECT_EQ(CQORTextEdit::activeEdit(), nullptr) << "a field leaving its frame clears the record";
}

TEST_F(TextEditBench, RemovedWhileEditingClosesQuietly)
{
    click();
    type("Bus");
    edit->remember();
    frame->removeView(edit);
    EXPECT_FALSE(edit->isTextEditing());
    EXPECT_EQ(CQORTextEdit::activeEdit(), nullptr);
    EXPECT_TRUE(editor.values.empty());
    edit->forget();
}

TEST_F(TextEditBench, ValueToTextProcedureSetsTheText)
{
    edit->setValueToStringProc([](float value, char text[256], void*) {
        std::snprintf(text, 256, "%.1f dB", value * 10);
        return true;
    });
    edit->setValue(0.5f);
    EXPECT_STREQ(edit->getText(), "5.0 dB");
}

TEST_F(TextEditBench, FieldIsFontSizePlusThreeHighCentredOnePixelUp)
{
    CFontDesc font("Sans", 9);
    edit->setFont(&font);
    // Control 10..30: moved up to 9..29, middle 19, top int(19 - 4.5 - 1) = 13.
    const CRect field = edit->getEditRect();
    EXPECT_EQ(field.top, 13);
    EXPECT_EQ(field.bottom, 25);
    EXPECT_EQ(field.left, 10);
    EXPECT_EQ(field.right, 110);
    edit->setFont(defaultFont());
}

TEST_F(TextEditBench, OptionalColoursAreKeptAndTheFirstColoursTheFieldText)
{
    EXPECT_FALSE(edit->getColor(0).set);
    edit->setColor2(127, 127, 127, 255);
    EXPECT_TRUE(edit->getColor(1).set);
    EXPECT_EQ(edit->getColor(1).color, MakeCColor(127, 127, 127, 255));
    EXPECT_FALSE(edit->getColor(7).set);

    edit->setColor1(255, 0, 0, 255);
    edit->setFontColor(MakeCColor(0, 0, 255, 255));
    edit->setTransparency(true);
    click();
    frame->invalid();
    frame->drawDirtyRegion();
    bool red = false;
    bool blue = false;
    const PixelBuffer& image = frame->getBackBuffer();
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 110; ++x) {
            const CColor c = image.getPixel(x, y);
            red = red || (c.red > 200 && c.green < 80 && c.blue < 80);
            blue = blue || (c.blue > 200 && c.red < 80 && c.green < 80);
        }
    EXPECT_TRUE(red) << "the field's text is drawn in the first colour";
    EXPECT_FALSE(blue);
}

}  // namespace
