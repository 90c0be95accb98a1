#include "ToolkitProbes.h"

#include "toolkit/CAnimKnob.h"
#include "toolkit/CHorizontalSwitch.h"
#include "toolkit/CKickButton.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/CSlider.h"
#include "toolkit/CTextEdit.h"

#include <gtest/gtest.h>

namespace toolkit_test {
namespace {

// A frame whose editor interface and control listener record one sequence.
class ControlBench : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CFrame(CRect(0, 0, 300, 200), nullptr, &editor);
        frame->setBackgroundColor(kWhiteCColor);
    }
    void TearDown() override { frame->close(); }

    template <class T>
    T* add(T* view)
    {
        frame->addView(view);
        return view;
    }
    CMouseEventResult down(CCoord x, CCoord y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        return frame->onMouseDown(p, buttons);
    }
    void move(CCoord x, CCoord y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        frame->onMouseMoved(p, buttons);
    }
    void up(CCoord x, CCoord y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        frame->onMouseUp(p, buttons);
    }
    void key(unsigned char virt, int32_t character = 0)
    {
        KeyCode code{character, virt, 0};
        frame->onKeyDown(code);
    }

    RecordingEditor editor;
    CFrame* frame = nullptr;
};

TEST_F(ControlBench, OnOffButtonTogglesAsOneCompleteEdit)
{
    CBitmap* strip = makeFilmStrip(20, 10, 2);
    auto* button = add(new COnOffButton(CRect(0, 0, 20, 10), &editor, 4, strip));
    strip->forget();
    EXPECT_EQ(down(5, 5), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(editor.calls, (EventLog{"begin 4", "changed 4", "end 4"}));
    down(5, 5, kRButton);
    EXPECT_EQ(button->getValue(), 1.f);
    frame->idle();
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(5, 5), frameColor(1)));
}

TEST_F(ControlBench, KickButtonReportsPressAndReleaseInsideOneEdit)
{
    CBitmap* strip = makeFilmStrip(20, 10, 2);
    auto* kick = add(new CKickButton(CRect(0, 0, 20, 10), &editor, 121, 10, strip));
    strip->forget();
    down(5, 5);
    EXPECT_EQ(kick->getValue(), 1.f);
    move(50, 50);  // off the button: it shows released but the edit goes on
    EXPECT_EQ(kick->getValue(), 0.f);
    move(5, 5);
    up(5, 5);
    EXPECT_EQ(editor.calls, (EventLog{"begin 121", "changed 121", "changed 121", "end 121"}));
    EXPECT_EQ(editor.values, (std::vector<float>{1.f, 0.f}));
}

TEST_F(ControlBench, SliderHandleTravelsItsRangeLessTheHandle)
{
    CBitmap* handle = makeSolidBitmap(19, 19, MakeCColor(255, 0, 0));
    auto* slider = add(new CSlider(CRect(58, 10, 220, 29), &editor, 11, CPoint(0, 0), 162, handle, nullptr,
                                   CPoint(0, 0), kLeft | kHorizontal));
    handle->forget();
    slider->setValue(1.f);
    frame->idle();
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(210, 20), MakeCColor(255, 0, 0)));
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(195, 20), kWhiteCColor));
    slider->setValue(0.f);
    frame->idle();
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(60, 20), MakeCColor(255, 0, 0)));
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(210, 20), kWhiteCColor));

    // The handle's centre follows the mouse over 143 pixels of travel.
    down(58 + 9.5 - 1, 20);
    move(58 + 9.5 - 1 + 71.5, 20);
    EXPECT_NEAR(slider->getValue(), 0.5f, 1e-4);
    up(0, 0);
    EXPECT_EQ(editor.calls.front(), "begin 11");
    EXPECT_EQ(editor.calls.back(), "end 11");
}

TEST_F(ControlBench, VerticalSliderHasItsMaximumAtTheTop)
{
    CBitmap* handle = makeSolidBitmap(20, 10, MakeCColor(0, 0, 255));
    auto* slider = add(new CSlider(CRect(0, 0, 20, 110), &editor, 1, CPoint(0, 0), 110, handle, nullptr,
                                   CPoint(0, 0), kBottom | kVertical));
    handle->forget();
    slider->setValue(1.f);
    frame->idle();
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(10, 5), MakeCColor(0, 0, 255)));
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(10, 105), kWhiteCColor));
}

TEST_F(ControlBench, ControlClickRestoresTheDefaultAsOneEdit)
{
    CBitmap* handle = makeSolidBitmap(10, 10, kBlackCColor);
    auto* slider = add(new CSlider(CRect(0, 0, 110, 10), &editor, 14, CPoint(0, 0), 110, handle, nullptr));
    handle->forget();
    slider->setValue(0.9f);
    slider->setDefaultValue(0.5f);
    EXPECT_EQ(down(100, 5, kLButton | kControl), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(slider->getValue(), 0.5f);
    EXPECT_EQ(editor.calls, (EventLog{"begin 14", "changed 14", "end 14"}));
}

TEST_F(ControlBench, KnobInLinearModeNeeds200PixelsForTheRangeAndDoesNotJumpWhenShiftChanges)
{
    editor.knobMode = kLinearMode;
    CBitmap* strip = makeFilmStrip(40, 40, 51);
    auto* knob = add(new CAnimKnob(CRect(100, 100, 140, 140), &editor, 84, 51, 40, strip));
    strip->forget();
    knob->setValue(0.f);
    down(120, 120);
    move(170, 120);  // 50 right
    EXPECT_NEAR(knob->getValue(), 0.25f, 1e-5);
    move(170, 70);   // and 50 up
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5);
    // Shift noticed at 130 px: no jump there, then 300 px per range.
    move(200, 70, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.65f, 1e-5);
    move(230, 70, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.75f, 1e-5);
    up(230, 70);
    move(260, 70, 0);
    EXPECT_NEAR(knob->getValue(), 0.75f, 1e-5);
    EXPECT_EQ(editor.calls.front(), "begin 84");
    EXPECT_EQ(editor.calls.back(), "end 84");
}

TEST_F(ControlBench, KnobInCircularModeFollowsTheAngle)
{
    editor.knobMode = kCircularMode;
    auto* knob = add(new CAnimKnob(CRect(100, 100, 140, 140), &editor, 84, nullptr));
    knob->setValue(0.f);
    down(120, 100);
    move(120.5, 100);  // straight up: the middle of the travel
    EXPECT_NEAR(knob->getValue(), 0.5f, 0.02f);
    up(120, 100);
}

TEST_F(ControlBench, KnobWheelStepsByItsIncrementInsideAnEdit)
{
    auto* knob = add(new CAnimKnob(CRect(0, 0, 40, 40), &editor, 90, nullptr));
    knob->setValue(0.5f);
    frame->onWheel(CPoint(20, 20), kMouseWheelAxisY, 1.f, 0);
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6);
    frame->onWheel(CPoint(20, 20), kMouseWheelAxisY, -1.f, kShift);
    EXPECT_NEAR(knob->getValue(), 0.59f, 1e-6);
    EXPECT_EQ(editor.calls, (EventLog{"begin 90", "changed 90", "end 90", "begin 90", "changed 90", "end 90"}));
    for (int i = 0; i < 10; ++i)
        frame->onWheel(CPoint(20, 20), kMouseWheelAxisY, 1.f, 0);
    EXPECT_EQ(knob->getValue(), 1.f);
}

TEST_F(ControlBench, HorizontalSwitchPicksTheZoneUnderTheMouse)
{
    CBitmap* strip = makeFilmStrip(60, 10, 3);
    auto* toggle = add(new CHorizontalSwitch(CRect(0, 0, 60, 10), &editor, 5, 3, 10, 3, strip));
    strip->forget();
    down(45, 5);
    EXPECT_EQ(toggle->getValue(), 1.f);
    move(25, 5);
    EXPECT_EQ(toggle->getValue(), 0.5f);
    up(25, 5);
    EXPECT_EQ(editor.calls, (EventLog{"begin 5", "changed 5", "changed 5", "end 5"}));
}

TEST_F(ControlBench, TextEditTypesCommitsAndCancels)
{
    auto* field = add(new CTextEdit(CRect(10, 10, 100, 30), &editor, 68, "0.0"));
    down(20, 20);
    EXPECT_TRUE(field->isTextEditing());
    EXPECT_EQ(frame->getFocusView(), field);
    key(0, '6');  // replaces the selected text
    key(0, '.');
    key(0, '5');
    key(kKeyBack);
    key(kKeyReturn);
    EXPECT_FALSE(field->isTextEditing());
    EXPECT_STREQ(field->getText(), "6.");
    EXPECT_EQ(editor.calls, (EventLog{"begin 68", "changed 68", "end 68"}));

    down(20, 20);
    key(0, '9');
    key(kKeyEscape);
    EXPECT_STREQ(field->getText(), "6.");

    down(20, 20);
    key(0, '7');
    down(200, 150);  // a click elsewhere keeps the text
    EXPECT_FALSE(field->isTextEditing());
    EXPECT_STREQ(field->getText(), "7");
}

TEST_F(ControlBench, TextEditRemovedWhileEditingEndsItsEdit)
{
    auto* field = add(new CTextEdit(CRect(10, 10, 100, 30), &editor, 70, "1k"));
    down(20, 20);
    frame->removeView(field);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(editor.calls, (EventLog{"begin 70", "end 70"}));
}

TEST(ControlValues, BounceAndNormalisedValueRespectTheRange)
{
    auto* control = new CAnimKnob(CRect(0, 0, 10, 10), nullptr, 0, nullptr);
    control->setMin(-10.f);
    control->setMax(10.f);
    control->setValue(25.f);
    control->bounceValue();
    EXPECT_EQ(control->getValue(), 10.f);
    control->setValueNormalized(0.25f);
    EXPECT_EQ(control->getValue(), -5.f);
    EXPECT_EQ(control->getValueNormalized(), 0.25f);
    control->forget();
}

}  // namespace
}  // namespace toolkit_test
