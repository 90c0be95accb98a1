#include "ControlBench.h"

#include "controls/CQORCalibrationControl.h"
#include "controls/CQORHorizontalSwitch.h"
#include "controls/CQORMeterSelectorControl.h"

namespace controls_test {
namespace {

using toolkit_test::frameColor;
using toolkit_test::makeFilmStrip;
using toolkit_test::near;

class Switches : public ControlBench {
protected:
    template <class T>
    T* addSwitch(int32_t tag)
    {
        CBitmap* strip = makeFilmStrip(86, 24, 3);
        auto* control = add(new T(CRect(442, 144, 528, 168), &editor, tag, strip));
        strip->forget();
        return control;
    }
};

TEST_F(Switches, WheelStepsThroughThePositionsWithoutWrapping)
{
    auto* hold = addSwitch<CQORHorizontalSwitch>(5);
    wheel(450, 150, 1.f);
    EXPECT_EQ(hold->getValue(), 0.5f);
    EXPECT_EQ(editor.calls, oneEdit(5));
    wheel(450, 150, 1.f);
    EXPECT_EQ(hold->getValue(), 1.f);
    wheel(450, 150, 1.f);
    EXPECT_EQ(hold->getValue(), 1.f);
    EXPECT_EQ(editor.values.size(), 2u);
    wheel(450, 150, 0.05f);
    EXPECT_EQ(hold->getValue(), 1.f);
    hold->setValue(0.4f);  // off the grid: the wheel snaps it
    wheel(450, 150, -1.f);
    EXPECT_EQ(hold->getValue(), 0.f);
    redraw();
    EXPECT_TRUE(near(pixel(450, 150), frameColor(0)));
}

TEST_F(Switches, PressPicksTheZoneUnderTheMouse)
{
    auto* hold = addSwitch<CQORHorizontalSwitch>(5);
    down(520, 150);
    up(520, 150);
    EXPECT_EQ(hold->getValue(), 1.f);
    redraw();
    EXPECT_TRUE(near(pixel(450, 150), frameColor(2)));
}

TEST_F(Switches, InactiveSlopeSwitchRefusesInput)
{
    auto* slope = addSwitch<CQORHorizontalSwitchAH>(10);
    slope->setHintLabel(hintLabel);
    slope->setActive(0);
    hover(450, 150);
    EXPECT_EQ(hint(), "Click PROCESS to activate FILTERS");
    down(520, 150);
    up(520, 150);
    wheel(450, 150, 1.f);
    EXPECT_EQ(slope->getValue(), 0.f);
    EXPECT_TRUE(editor.calls.empty());
    slope->setActive(1);
    wheel(450, 150, 1.f);
    EXPECT_EQ(slope->getValue(), 0.5f);
}

// The front panel's calibration selector, at x 0 as the panels place it.
class Calibration : public ControlBench {
protected:
    void SetUp() override
    {
        ControlBench::SetUp();
        CBitmap* strip = makeFilmStrip(86, 11, 3);
        selector = add(new CQORCalibrationControl(CRect(0, 1, 86, 12), &editor, 2, strip));
        strip->forget();
        selector->setValue(1.f);
    }
    CQORCalibrationControl* selector = nullptr;
};

TEST_F(Calibration, LetterZonesSelectTheMode)
{
    EXPECT_EQ(down(13, 5), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(selector->getValue(), 0.f);
    down(14, 5);
    EXPECT_EQ(selector->getValue(), 0.5f);
    down(37, 5);
    EXPECT_EQ(selector->getValue(), 1.f);
    selector->setValue(0.5f);
    down(38, 5);
    EXPECT_EQ(selector->getValue(), 0.5f);
    EventLog fourEdits;
    for (int i = 0; i < 4; ++i)
        for (const std::string& call : oneEdit(2))
            fourEdits.push_back(call);
    EXPECT_EQ(editor.calls, fourEdits);
    redraw();
    EXPECT_TRUE(near(pixel(60, 5), frameColor(1)));
}

TEST_F(Calibration, WheelSnapsAndStopsAtTheEnds)
{
    wheel(50, 5, 1.f);
    EXPECT_EQ(selector->getValue(), 1.f);
    EXPECT_TRUE(editor.calls.empty());
    wheel(50, 5, -1.f);
    EXPECT_EQ(selector->getValue(), 0.5f);
    wheel(50, 5, -1.f);
    wheel(50, 5, -1.f);
    EXPECT_EQ(selector->getValue(), 0.f);
    EXPECT_EQ(editor.values, (std::vector<float>{0.5f, 0.f}));
}

// The meter selector at its front panel place: 149 x 23, arrows 20 wide.
class MeterSelector : public ControlBench {
protected:
    void SetUp() override
    {
        ControlBench::SetUp();
        CBitmap* strip = makeFilmStrip(149, 23, 3);
        selector = add(new CQORMeterSelectorControl(CRect(195, 144, 344, 167), &editor, strip));
        strip->forget();
        selector->setHintLabel(hintLabel);
    }
    static constexpr CCoord kLeftArrow = 205;
    static constexpr CCoord kMiddle = 270;
    static constexpr CCoord kRightArrow = 335;
    CQORMeterSelectorControl* selector = nullptr;
};

TEST_F(MeterSelector, ArrowsStepThroughTheMetersAndWrap)
{
    EXPECT_EQ(selector->getTag(), 3);
    down(kLeftArrow, 150);
    EXPECT_EQ(selector->getValue(), 1.f);  // VU to PPM
    EXPECT_EQ(editor.calls, oneEdit(3));
    EXPECT_EQ(hint(), "Changes current meter to RMS3");
    down(kRightArrow, 150);
    EXPECT_EQ(selector->getValue(), 0.f);  // PPM to VU
    down(kRightArrow, 150);
    EXPECT_EQ(selector->getValue(), 0.5f);
    down(kLeftArrow, 150);
    EXPECT_EQ(selector->getValue(), 0.f);
}

TEST_F(MeterSelector, ZoneBoundariesLieTwentyPixelsIn)
{
    down(215, 150);  // left + 20: still the left arrow
    EXPECT_EQ(selector->getValue(), 1.f);
    down(324, 150);  // right - 20: the right arrow
    EXPECT_EQ(selector->getValue(), 0.f);
    down(216, 150);
    down(323, 150);
    EXPECT_EQ(selector->getValue(), 0.f);
}

TEST_F(MeterSelector, MiddleClickHandsTheBackPanelButtonToTheListener)
{
    selector->setValue(0.5f);
    down(kMiddle, 150);
    EXPECT_EQ(selector->getValue(), 0.5f);
    EXPECT_EQ(editor.calls, (EventLog{"changed 65"}));
    EXPECT_EQ(editor.values, (std::vector<float>{1.f}));
    EXPECT_EQ(selector->getBackPanelButton()->getTag(), 65);
}

TEST_F(MeterSelector, HoverLightsTheArrowAndNamesTheMeterItWouldSelect)
{
    hover(kLeftArrow, 150);
    EXPECT_EQ(selector->getHoverZone(), 0);
    EXPECT_EQ(hint(), "Changes current meter to PPM3");
    redraw();
    EXPECT_TRUE(near(pixel(kMiddle, 150), frameColor(1)));
    hover(kRightArrow, 150);
    EXPECT_EQ(hint(), "Changes current meter to RMS3");
    redraw();
    EXPECT_TRUE(near(pixel(kMiddle, 150), frameColor(2)));
    hover(kMiddle, 150);
    EXPECT_EQ(hint(), "");
    redraw();
    EXPECT_TRUE(near(pixel(kMiddle, 150), frameColor(0)));
    hover(kRightArrow, 150);
    hover(kRightArrow, 200);  // leaves the selector
    EXPECT_EQ(selector->getHoverZone(), 2);
    EXPECT_EQ(hint(), "");
}

TEST_F(MeterSelector, WheelStepsWithoutWrapping)
{
    selector->setValue(1.f);
    wheel(kMiddle, 150, 1.f);
    EXPECT_EQ(selector->getValue(), 1.f);
    EXPECT_TRUE(editor.calls.empty());
    wheel(kMiddle, 150, -1.f);
    EXPECT_EQ(selector->getValue(), 0.5f);
    EXPECT_EQ(editor.calls, oneEdit(3));
    wheel(kMiddle, 150, -1.f);
    wheel(kMiddle, 150, -1.f);
    EXPECT_EQ(selector->getValue(), 0.f);
}

TEST_F(MeterSelector, CopiesOwnTheirOwnBackPanelButton)
{
    hover(kRightArrow, 150);
    CBaseObject* copy = selector->newCopy();
    auto* other = static_cast<CQORMeterSelectorControl*>(copy);
    EXPECT_NE(other->getBackPanelButton(), selector->getBackPanelButton());
    EXPECT_EQ(other->getBackPanelButton()->getTag(), 65);
    EXPECT_EQ(other->getHoverZone(), 1);
    EXPECT_TRUE(other->isTypeOf("CQORMeterSelectorControl"));
    copy->forget();
}

}  // namespace
}  // namespace controls_test
