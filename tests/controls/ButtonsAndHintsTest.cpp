#include "ControlBench.h"

#include "controls/COnOffButtonH.h"
#include "controls/CQOROnOffButton.h"

#include <cmath>

namespace controls_test {
namespace {

using toolkit_test::frameColor;
using toolkit_test::makeFilmStrip;
using toolkit_test::near;

TEST(HintTexts, FollowTagValueAndZone)
{
    struct Case {
        int32_t tag;
        float value;
        const char* text;
    };
    const Case cases[] = {
        {0, 1.f, "Activates the Trim and FILTERS"},
        {1, 0.f, "Click PROCESS to activate the Trim"},
        {68, 0.f, "Click PROCESS to activate the Trim"},
        {6, 0.5f, "Shows Strips"},
        {6, 0.51f, "Hides Strips"},
        {7, 0.f, "Opens FILTERS editor"},
        {7, 1.f, "Closes FILTERS editor"},
        {15, 0.f, "Opens LABEL editor"},
        {15, 1.f, "Closes LABEL editor"},
        {8, 0.f, "Click PROCESS to activate FILTERS"},
        {14, 0.f, "Click PROCESS to activate FILTERS"},
        {70, 0.f, "Click PROCESS to activate FILTERS"},
        {71, 0.f, "Click PROCESS to activate FILTERS"},
        {72, 0.f, "Click and drag to adjust RMS reference level"},
        {83, 0.f, "Click and drag to adjust VU reference level"},
        {93, 0.f, "Click and drag to adjust PPM reference level"},
        {121, 0.f, "Click to open the manual"},
        {2, 0.f, ""},
        {16, 0.f, ""},
        {73, 0.f, ""},
        {-1, 0.f, ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(CHelpHintLabel::hintText(c.tag, c.value, nullptr), c.text) << "tag " << c.tag;

    const int32_t left = 0;
    const int32_t right = 1;
    const int32_t middle = 2;
    EXPECT_STREQ(CHelpHintLabel::hintText(3, 0.f, &left), "Changes current meter to PPM3");
    EXPECT_STREQ(CHelpHintLabel::hintText(3, 0.f, &right), "Changes current meter to RMS3");
    EXPECT_STREQ(CHelpHintLabel::hintText(3, 0.5f, &left), "Changes current meter to VU3");
    EXPECT_STREQ(CHelpHintLabel::hintText(3, 0.5f, &right), "Changes current meter to PPM3");
    EXPECT_STREQ(CHelpHintLabel::hintText(3, 1.f, &left), "Changes current meter to RMS3");
    EXPECT_STREQ(CHelpHintLabel::hintText(3, 1.f, &right), "Changes current meter to VU3");
    EXPECT_STREQ(CHelpHintLabel::hintText(3, 1.f, &middle), "");
    EXPECT_STREQ(CHelpHintLabel::hintText(3, 1.f, nullptr), "");
    EXPECT_STREQ(CHelpHintLabel::hintText(3, std::nanf(""), &left), "");
}

class OnOffButtons : public ControlBench {
protected:
    template <class T>
    T* addButton(int32_t tag, int frames = 2)
    {
        CBitmap* strip = makeFilmStrip(20, 10, frames);
        auto* button = add(new T(CRect(10, 10, 30, 20), &editor, tag, strip));
        strip->forget();
        return button;
    }
};

TEST_F(OnOffButtons, PressTogglesAsOneEditAndDrawsTheOnFrame)
{
    auto* button = addButton<CQOROnOffButton>(4);
    EXPECT_EQ(down(15, 15), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(editor.calls, oneEdit(4));
    redraw();
    EXPECT_TRUE(near(pixel(15, 15), frameColor(1)));
    down(15, 15, kRButton);
    EXPECT_EQ(button->getValue(), 1.f);
    down(15, 15);
    EXPECT_EQ(button->getValue(), 0.f);
    redraw();
    EXPECT_TRUE(near(pixel(15, 15), frameColor(0)));
}

TEST_F(OnOffButtons, WithoutListenerPressStillToggles)
{
    auto* button = addButton<CQOROnOffButton>(4);
    button->setListener(nullptr);
    down(15, 15);
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_TRUE(editor.values.empty());
}

TEST_F(OnOffButtons, PlainWheelTogglesOnEveryFullStep)
{
    auto* button = addButton<CQOROnOffButton>(0);
    wheel(15, 15, 0.05f);
    EXPECT_EQ(button->getValue(), 0.f);
    EXPECT_TRUE(editor.calls.empty());
    wheel(15, 15, 1.f);
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(editor.calls, oneEdit(0));
    wheel(15, 15, 1.f);
    EXPECT_EQ(button->getValue(), 0.f);
    wheel(15, 15, -1.f);
    EXPECT_EQ(button->getValue(), 1.f);
}

TEST_F(OnOffButtons, DirectionalSignedWheelSwitchesOnUpAndOffDown)
{
    auto* button = addButton<CQOROnOffButton>(4);
    button->setWheelDirectional(true);
    button->setWheelSigned(true);
    wheel(15, 15, -1.f);
    EXPECT_EQ(button->getValue(), 0.f);
    wheel(15, 15, 1.f);
    EXPECT_EQ(button->getValue(), 1.f);
    clearCalls();
    wheel(15, 15, 1.f);  // already on: nothing
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_TRUE(editor.calls.empty());
    wheel(15, 15, -1.f);
    EXPECT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(editor.calls, oneEdit(4));
}

TEST_F(OnOffButtons, DirectionalUnsignedWheelRunsTheOtherWay)
{
    auto* button = addButton<CQOROnOffButton>(4);
    button->setWheelDirectional(true);
    wheel(15, 15, 1.f);
    EXPECT_EQ(button->getValue(), 0.f);
    wheel(15, 15, -1.f);
    EXPECT_EQ(button->getValue(), 1.f);
}

TEST_F(OnOffButtons, HintButtonExplainsTheNextClick)
{
    auto* button = addButton<CQOROnOffButtonH>(6);
    button->setHintLabel(hintLabel);
    hover(15, 15);
    EXPECT_EQ(hint(), "Shows Strips");
    down(15, 15);
    EXPECT_EQ(hint(), "Hides Strips");
    wheel(15, 15, 1.f);
    EXPECT_EQ(hint(), "Shows Strips");
    hover(100, 100);
    EXPECT_EQ(hint(), "");
}

TEST_F(OnOffButtons, HintButtonWithoutLabelStillWorks)
{
    auto* button = addButton<CQOROnOffButtonH>(6);
    hover(15, 15);
    down(15, 15);
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(hint(), "");
}

TEST_F(OnOffButtons, ToolkitButtonWithHint)
{
    auto* button = addButton<COnOffButtonH>(15);
    button->setHintLabel(hintLabel);
    hover(15, 15);
    EXPECT_EQ(hint(), "Opens LABEL editor");
    down(15, 15);
    EXPECT_EQ(button->getValue(), 1.f);
    hover(100, 100);
    EXPECT_EQ(hint(), "");
}

TEST_F(OnOffButtons, InactiveButtonRefusesInputAndSaysWhy)
{
    auto* button = addButton<CQOROnOffButtonAH>(9);
    button->setHintLabel(hintLabel);
    button->setActive(0);
    hover(15, 15);
    EXPECT_EQ(hint(), "Click PROCESS to activate FILTERS");
    EXPECT_EQ(down(15, 15), kMouseEventHandled);
    wheel(15, 15, 1.f);
    EXPECT_EQ(button->getValue(), 0.f);
    EXPECT_TRUE(editor.calls.empty());
    hover(100, 100);
    EXPECT_EQ(hint(), "");

    button->setActive(1);
    hover(15, 15);
    EXPECT_EQ(hint(), "");  // an active control clears the line
    down(15, 15);
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(editor.calls, oneEdit(9));
}

TEST_F(OnOffButtons, StripButtonShowsOffOnAndOnButInactive)
{
    auto* button = addButton<StripActiveButton>(8, 3);
    redraw();
    EXPECT_EQ(button->frameIndex(), 0);
    EXPECT_TRUE(near(pixel(15, 15), frameColor(0)));
    down(15, 15);
    redraw();
    EXPECT_EQ(button->frameIndex(), 2);
    EXPECT_TRUE(near(pixel(15, 15), frameColor(2)));
    button->setActive(0);
    redraw();
    EXPECT_EQ(button->frameIndex(), 1);
    EXPECT_TRUE(near(pixel(15, 15), frameColor(1)));
}

TEST_F(OnOffButtons, CopiesKeepTheWheelFlags)
{
    CQOROnOffButton original(CRect(0, 0, 10, 10), nullptr, 4, nullptr);
    original.setWheelDirectional(true);
    original.setWheelSigned(true);
    CBaseObject* copy = original.newCopy();
    auto* button = static_cast<CQOROnOffButton*>(copy);
    EXPECT_TRUE(button->isWheelDirectional());
    EXPECT_TRUE(button->isWheelSigned());
    EXPECT_TRUE(button->isTypeOf("CQOROnOffButton"));
    EXPECT_TRUE(button->isTypeOf("CControl"));
    copy->forget();
}

}  // namespace
}  // namespace controls_test
