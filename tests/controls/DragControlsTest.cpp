#include "ControlBench.h"

#include "controls/CAnimKnob4.h"
#include "controls/CFrontReferenceControl.h"
#include "controls/CQORLatencyControl.h"
#include "controls/CQORSlider.h"
#include "toolkit/CDrawContext.h"

namespace controls_test {
namespace {

using toolkit_test::frameColor;
using toolkit_test::makeFilmStrip;
using toolkit_test::makeSolidBitmap;
using toolkit_test::near;

constexpr float kTolerance = 1e-4f;

// The Trim slider: 32 x 19 handle travelling 107 pixels, maximum at the top.
class TrimSlider : public ControlBench {
protected:
    static constexpr CCoord kTop = 17;
    static constexpr CCoord kTravel = 126 - 19;

    void SetUp() override
    {
        ControlBench::SetUp();
        CBitmap* handle = makeSolidBitmap(32, 19, kBlackCColor);
        slider = add(new CQORSliderAH(CRect(538, kTop, 570, 143), &editor, 1, CPoint(0, 0), 126, handle, nullptr,
                                      CPoint(0, 0), kVertical | kBottom));
        handle->forget();
        slider->setFineFactor(0.1f);
        slider->setDefaultValue(0.5f);
        slider->setValue(0.5f);
        slider->setHintLabel(hintLabel);
    }
    // Top of the handle for the current value.
    CCoord handleTop() const { return kTop + (1.f - slider->getValue()) * kTravel; }

    CQORSliderAH* slider = nullptr;
};

TEST_F(TrimSlider, PressAloneChangesNothingAndAPressOffTheHandleDoesNotDrag)
{
    EXPECT_EQ(down(550, 30), kMouseEventHandled);
    EXPECT_EQ(slider->getValue(), 0.5f);
    move(550, 25);
    move(550, 140);
    EXPECT_EQ(slider->getValue(), 0.5f);
    up(550, 140);
    EXPECT_EQ(editor.calls, (EventLog{"begin 1", "end 1"}));
}

TEST_F(TrimSlider, HandleFollowsTheMousePixelForPixel)
{
    const CCoord y = handleTop() + 9;
    down(550, y);
    move(550, y - 10);
    EXPECT_NEAR(slider->getValue(), 0.5f + 10.f / kTravel, kTolerance);
    move(550, y + 20);
    EXPECT_NEAR(slider->getValue(), 0.5f - 20.f / kTravel, kTolerance);
    up(550, y + 20);
    EXPECT_EQ(editor.calls.front(), "begin 1");
    EXPECT_EQ(editor.calls.back(), "end 1");
    EXPECT_EQ(editor.values.size(), 2u);
}

TEST_F(TrimSlider, ShiftDragIsFinerByTheFineFactor)
{
    const CCoord y = handleTop() + 9;
    down(550, y, kLButton | kShift);
    move(550, y - 10, kLButton | kShift);
    EXPECT_NEAR(slider->getValue(), 0.5f + 0.1f * 10.f / kTravel, kTolerance);
}

TEST_F(TrimSlider, GrabbedHandleClampsThenSnapsItsCentreToTheMouse)
{
    const CCoord y = handleTop() + 9;  // 80
    down(550, y);
    move(550, y - 10);
    move(550, 0);  // far above the top: clamped, the anchor stays where it was
    EXPECT_EQ(slider->getValue(), 1.f);
    const CCoord anchor = y - 10;
    move(550, 30);  // the anchor is no longer on the handle: the handle's centre jumps to it
    EXPECT_NEAR(slider->getValue(), 1.f - ((anchor - kTop) - 19 / 2.f) / kTravel, kTolerance);
}

TEST_F(TrimSlider, DoubleClickRestoresTheDefault)
{
    slider->setValue(0.9f);
    EXPECT_EQ(down(550, 130, kLButton | kDoubleClick), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(slider->getValue(), 0.5f);
    EXPECT_EQ(editor.calls, oneEdit(1));
}

TEST_F(TrimSlider, WheelStepsFineWithShiftAndStopsAtTheEnds)
{
    wheel(550, 80, 1.f);
    EXPECT_NEAR(slider->getValue(), 0.525f, kTolerance);
    EXPECT_EQ(editor.calls, oneEdit(1));
    wheel(550, 80, -1.f, kShift);
    EXPECT_NEAR(slider->getValue(), 0.5225f, kTolerance);
    wheel(550, 80, 0.05f);  // a smooth wheel's fraction of a notch
    EXPECT_NEAR(slider->getValue(), 0.5225f + 0.05f * 0.025f, kTolerance);
    slider->setValue(0.99f);
    wheel(550, 80, 1.f);
    EXPECT_EQ(slider->getValue(), 1.f);
    clearCalls();
    wheel(550, 80, 1.f);
    EXPECT_TRUE(editor.calls.empty());
}

TEST_F(TrimSlider, InactiveSliderIgnoresInputExplainsAndDrawsHalfTransparent)
{
    redraw();
    EXPECT_TRUE(near(pixel(550, 80), kBlackCColor));
    slider->setActive(0);
    hover(550, 80);
    EXPECT_EQ(hint(), "Click PROCESS to activate the Trim");
    down(550, 80);
    move(550, 60);
    up(550, 60);
    wheel(550, 80, 1.f);
    EXPECT_EQ(slider->getValue(), 0.5f);
    EXPECT_TRUE(editor.calls.empty());
    redraw();
    EXPECT_TRUE(near(pixel(550, 80), MakeCColor(127, 127, 127, 255), 3)) << toolkit_test::describe(pixel(550, 80));
    hover(100, 100);
    EXPECT_EQ(hint(), "");
    slider->setActive(1);
    hover(550, 80);
    EXPECT_EQ(hint(), "");
}

TEST_F(TrimSlider, SwitchedOffMidDragStillClosesTheEdit)
{
    const CCoord y = handleTop() + 9;
    down(550, y);
    slider->setActive(0);
    up(550, y);
    EXPECT_EQ(editor.calls, (EventLog{"begin 1", "end 1"}));
}

// A filter frequency slider: 19 x 32 handle travelling 143 pixels, maximum at the right.
class FrequencySlider : public ControlBench {
protected:
    static constexpr CCoord kLeft = 58;
    static constexpr CCoord kTravel = 162 - 19;

    void SetUp() override
    {
        ControlBench::SetUp();
        CBitmap* handle = toolkit_test::makeSolidBitmap(19, 32, kBlackCColor);
        slider = add(new CQORSliderAH(CRect(kLeft, 10, 220, 42), &editor, 11, CPoint(0, 0), 162, handle, nullptr));
        handle->forget();
        slider->setFineFactor(0.1f);
        slider->setValue(0.5f);
    }
    CQORSliderAH* slider = nullptr;
};

TEST_F(FrequencySlider, DragsRightToRaiseFineWithShiftAndSnapsWhenTheMouseLeftTheHandle)
{
    const CCoord x = kLeft + 0.5f * kTravel + 9;
    down(x, 20);
    move(x + 10, 20);
    float expected = 0.5f + 10.f / kTravel;
    EXPECT_NEAR(slider->getValue(), expected, kTolerance);
    move(x - 20, 20, kLButton | kShift);
    expected -= 0.1f * 30.f / kTravel;
    EXPECT_NEAR(slider->getValue(), expected, kTolerance);
    // The fine drag left the handle behind the mouse; kShift keeps it grabbed.
    move(x - 15, 20, kLButton | kShift);
    expected += 0.1f * 5.f / kTravel;
    EXPECT_NEAR(slider->getValue(), expected, kTolerance);
    // Without kShift the handle's centre jumps to where the mouse was.
    const CCoord anchor = x - 15;
    move(1000, 20);
    EXPECT_NEAR(slider->getValue(), ((anchor - kLeft) - 19 / 2.f) / kTravel, kTolerance);
    up(1000, 20);
    EXPECT_EQ(editor.calls.back(), "end 11");
}

// A back panel knob: 51 frames of 43 x 41.
class Knob : public ControlBench {
protected:
    void SetUp() override
    {
        ControlBench::SetUp();
        CBitmap* strip = makeFilmStrip(43, 41, 51);
        knob = add(new CAnimKnob4(CRect(20, 20, 63, 61), &editor, 84, 1, 41, strip));
        strip->forget();
        knob->setDefaultValue(0.25f);
    }
    CAnimKnob4* knob = nullptr;
};

TEST_F(Knob, UsesEveryFrameOfItsStrip)
{
    EXPECT_EQ(knob->getNumSubPixmaps(), 51);
    knob->setValue(1.f);
    EXPECT_EQ(knob->frameIndex(), 50);
    knob->setValue(0.5f);
    EXPECT_EQ(knob->frameIndex(), 25);
    redraw();
    EXPECT_TRUE(near(pixel(40, 40), frameColor(25)));
    knob->setValue(0.f);
    EXPECT_EQ(knob->frameIndex(), 0);
}

TEST_F(Knob, DragRightOrUpOverAThousandPixelsCoversTheRange)
{
    down(40, 40);
    move(540, 40);
    EXPECT_NEAR(knob->getValue(), 0.5f, kTolerance);
    move(540, 240);  // down again
    EXPECT_NEAR(knob->getValue(), 0.3f, kTolerance);
    move(540, -260);
    EXPECT_NEAR(knob->getValue(), 0.8f, kTolerance);
    up(540, -260);
    EXPECT_EQ(editor.calls.front(), "begin 84");
    EXPECT_EQ(editor.calls.back(), "end 84");
}

TEST_F(Knob, ShiftFromTheStartIsFiveTimesFiner)
{
    down(40, 40, kLButton | kShift);
    move(540, 40, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.1f, kTolerance);
    move(2540, 40, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.5f, kTolerance);
}

TEST_F(Knob, ShiftMidDragKeepsTheValueAndSlowsDown)
{
    down(40, 40);
    move(240, 40);
    EXPECT_NEAR(knob->getValue(), 0.2f, kTolerance);
    move(240, 40, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.2f, kTolerance);
    move(740, 40, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.3f, kTolerance);
    move(740, 40);  // released: back to full speed without a jump
    EXPECT_NEAR(knob->getValue(), 0.3f, kTolerance);
    move(840, 40);
    EXPECT_NEAR(knob->getValue(), 0.4f, kTolerance);
}

TEST_F(Knob, ControlClickAndDoubleClickRestoreTheDefault)
{
    knob->setValue(0.9f);
    EXPECT_EQ(down(40, 40, kLButton | kControl), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(knob->getValue(), 0.25f);
    EXPECT_EQ(editor.calls, oneEdit(84));
    knob->setValue(0.9f);
    down(40, 40, kLButton | kDoubleClick);
    EXPECT_EQ(knob->getValue(), 0.25f);
}

TEST_F(Knob, NeedsAListenerAndTheLeftButton)
{
    EXPECT_EQ(down(40, 40, kRButton), kMouseEventNotHandled);
    knob->setListener(nullptr);
    EXPECT_EQ(down(40, 40), kMouseEventNotHandled);
    move(540, 40);
    EXPECT_EQ(knob->getValue(), 0.f);
}

TEST_F(Knob, WheelStepsAHundredthOrAThousandth)
{
    wheel(40, 40, 1.f);
    EXPECT_NEAR(knob->getValue(), 0.01f, kTolerance);
    wheel(40, 40, 1.f, kShift);
    EXPECT_NEAR(knob->getValue(), 0.011f, kTolerance);
    wheel(40, 40, -3.f);  // a big step still counts as one notch
    EXPECT_NEAR(knob->getValue(), 0.001f, kTolerance);
    wheel(40, 40, -1.f);
    EXPECT_EQ(knob->getValue(), 0.f);
}

class FrontReference : public ControlBench {};

TEST_F(FrontReference, ShowsItsHintDragsAndKeepsFrameZero)
{
    CBitmap* caption = makeFilmStrip(133, 22, 1);
    auto* control = add(new CFrontReferenceControl(CRect(96, 1, 229, 23), &editor, 83, caption));
    caption->forget();
    control->setHintLabel(hintLabel);
    control->setDragRange(0.3f);
    control->setDefaultValue(0.667f);
    hover(100, 10);
    EXPECT_EQ(hint(), "Click and drag to adjust VU reference level");
    down(100, 10);
    move(250, 10);
    EXPECT_NEAR(control->getValue(), 0.5f, kTolerance);
    up(250, 10);
    down(100, 10, kLButton | kDoubleClick);
    EXPECT_NEAR(control->getValue(), 0.667f, kTolerance);
    redraw();
    EXPECT_TRUE(near(pixel(100, 10), frameColor(0)));
    hover(100, 200);
    EXPECT_EQ(hint(), "");
}

TEST_F(FrontReference, TextIsCutToItsBuffer)
{
    CFrontReferenceControl control(CRect(0, 0, 133, 22), nullptr, 72, nullptr);
    control.setText("0.0 dBFS");
    EXPECT_STREQ(control.getText(), "0.0 dBFS");
    control.setText("0123456789012345678901234567890123456789");
    EXPECT_EQ(std::string(control.getText()), "01234567890123456789012345678");
    control.setText(nullptr);
    EXPECT_STREQ(control.getText(), "");
}

// The lag time box at (100, 100), 26 x 40: arrows above y 114 and below y 126
// within 10 pixels of x 113.
class LagTime : public ControlBench {
protected:
    void SetUp() override
    {
        ControlBench::SetUp();
        // Digit box white, glass and arrow layers transparent, so the digits show.
        PixelBuffer pixels(26, 120);
        {
            CDrawContext context(pixels);
            context.setFillColor(kWhiteCColor);
            context.drawRect(CRect(0, 0, 26, 40), kDrawFilled);
        }
        CBitmap* layers = new CBitmap(std::move(pixels));
        lag = add(new CQORLatencyControl(CRect(100, 100, 126, 140), &editor, 16, layers));
        layers->forget();
        lag->setDefaultValue(0.f);
        lag->setValue(0.5f);
    }
    int darkPixels(int left, int top, int right, int bottom) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += pixel(x, y).red < 128 ? 1 : 0;
        return count;
    }
    CQORLatencyControl* lag = nullptr;
};

TEST_F(LagTime, ArrowsStepTenMillisecondsOrOneWithShiftAndReportEachClick)
{
    EXPECT_EQ(down(113, 105), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_NEAR(lag->getValue(), 0.5f + 10.f / 999.f, kTolerance);
    EXPECT_EQ(editor.calls, oneEdit(16));
    down(104, 114, kLButton | kShift);
    EXPECT_NEAR(lag->getValue(), 0.5f + 11.f / 999.f, kTolerance);
    down(122, 135);
    EXPECT_NEAR(lag->getValue(), 0.5f + 1.f / 999.f, kTolerance);
    down(113, 126, kLButton | kShift);
    EXPECT_NEAR(lag->getValue(), 0.5f, kTolerance);
    lag->setValue(1.f);
    clearCalls();
    down(113, 105);  // already at 999 ms
    EXPECT_EQ(lag->getValue(), 1.f);
    EXPECT_EQ(editor.calls, (EventLog{"begin 16", "end 16"}));
}

TEST_F(LagTime, DoubleClickRestoresTheDefaultAndRaisesTheFlag)
{
    EXPECT_FALSE(lag->wasDoubleClicked());
    down(101, 120, kLButton | kDoubleClick);
    EXPECT_EQ(lag->getValue(), 0.f);
    EXPECT_TRUE(lag->wasDoubleClicked());
    EXPECT_EQ(editor.calls, oneEdit(16));
    // A later plain press starts without the flag.
    down(101, 120);
    EXPECT_FALSE(lag->wasDoubleClicked());
}

TEST_F(LagTime, VerticalDragTwoMillisecondsPerPixelOrATenthWithShift)
{
    down(101, 120);
    move(101, 110);
    EXPECT_NEAR(lag->getValue(), 0.5f + 20.f / 999.f, kTolerance);
    move(101, 100, kLButton | kShift);
    EXPECT_NEAR(lag->getValue(), 0.5f + 21.f / 999.f, kTolerance);
    move(101, 1000);
    EXPECT_EQ(lag->getValue(), 0.f);
    up(101, 1000);
    EXPECT_EQ(editor.calls.back(), "end 16");
}

TEST_F(LagTime, WheelTenMillisecondsPerNotchOneWithShift)
{
    wheel(110, 120, 1.f);
    EXPECT_NEAR(lag->getValue(), 0.5f + 10.f / 999.f, kTolerance);
    wheel(110, 120, -1.f, kShift);
    EXPECT_NEAR(lag->getValue(), 0.5f + 9.f / 999.f, kTolerance);
}

TEST_F(LagTime, NeedsAListener)
{
    lag->setListener(nullptr);
    EXPECT_EQ(down(113, 105), kMouseEventNotHandled);
    EXPECT_EQ(lag->getValue(), 0.5f);
}

TEST_F(LagTime, DrawsThreeDigitsInTheirCells)
{
    lag->setValue(808.f / 999.f);
    EXPECT_EQ(lag->getMilliseconds(), 808);
    redraw();
    const int eight = darkPixels(104, 116, 110, 128);
    const int zero = darkPixels(111, 116, 117, 128);
    EXPECT_GT(eight, 0);
    EXPECT_GT(zero, 0);
    EXPECT_GT(darkPixels(118, 116, 124, 128), 0);
    EXPECT_EQ(darkPixels(100, 100, 126, 114), 0);  // nothing above the digits
    lag->setValue(111.f / 999.f);
    redraw();
    EXPECT_LT(darkPixels(104, 116, 110, 128), eight);  // a 1 has less ink than an 8
}

TEST_F(LagTime, DrawsNothingWithoutABitmap)
{
    CQORLatencyControl bare(CRect(0, 0, 26, 40), &editor, 16, nullptr);
    PixelBuffer target(26, 40);
    CDrawContext context(target);
    bare.setValue(1.f);
    bare.draw(&context);
    EXPECT_EQ(target.getPixel(13, 20).alpha, 0);
}

}  // namespace
}  // namespace controls_test
