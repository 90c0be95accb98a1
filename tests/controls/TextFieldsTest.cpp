#include "ControlBench.h"

#include "controls/CMyTextEdit.h"
#include "controls/CQORTapeLabel.h"
#include "controls/CQSKickButtonH.h"

namespace controls_test {
namespace {

using toolkit_test::frameColor;
using toolkit_test::makeFilmStrip;
using toolkit_test::near;

class TextFields : public ControlBench {
protected:
    void click(CCoord x, CCoord y)
    {
        down(x, y);
        up(x, y);
    }
};

TEST_F(TextFields, FieldDrawsThePartOfThePanelImageItCovers)
{
    CBitmap* panel = makeFilmStrip(300, 20, 5);  // a band of colour every 20 rows
    auto* field = add(new CMyTextEdit(CRect(10, 40, 110, 60), &editor, 70, "", panel));
    panel->forget();
    EXPECT_EQ(field->getBackOffset().y, 40);
    redraw();
    EXPECT_TRUE(near(pixel(20, 50), frameColor(2)));
    field->setViewSize(CRect(10, 60, 110, 80));
    EXPECT_EQ(field->getBackOffset().x, 10);
    EXPECT_EQ(field->getBackOffset().y, 60);
    redraw();
    EXPECT_TRUE(near(pixel(20, 70), frameColor(3)));
}

TEST_F(TextFields, InactiveTrimFieldRefusesEditingAndSaysWhy)
{
    auto* field = add(new CMyTextEditAH(CRect(530, 146, 578, 161), &editor, 68, "0.0", nullptr));
    field->setHintLabel(hintLabel);
    field->setActive(0);
    hover(540, 150);
    EXPECT_EQ(hint(), "Click PROCESS to activate the Trim");
    click(540, 150);
    EXPECT_FALSE(field->isTextEditing());
    hover(10, 10);
    EXPECT_EQ(hint(), "");
    field->setActive(1);
    hover(540, 150);
    EXPECT_EQ(hint(), "");
    click(540, 150);
    EXPECT_TRUE(field->isTextEditing());
}

TEST_F(TextFields, ManualButtonHintFollowsTheMouse)
{
    CBitmap* strip = makeFilmStrip(10, 14, 3);
    auto* button = add(new CQSKickButtonH(CRect(505, 0, 515, 14), &editor, 121, 14, strip));
    strip->forget();
    button->setHintLabel(hintLabel);
    hover(510, 7);
    EXPECT_EQ(hint(), "Click to open the manual");
    EXPECT_TRUE(button->isHover());
    hover(510, 100);
    EXPECT_EQ(hint(), "");
    EXPECT_FALSE(button->isHover());
}

// The expanded label strip's tape.
class TapeLabel : public TextFields {
protected:
    void SetUp() override
    {
        TextFields::SetUp();
        label = add(new CQORTapeLabel(CRect(17, 1, 523, 35), &editor, nullptr));
    }
    // Runs n steps 30 ms apart, starting after `startMs`.
    uint32_t runSteps(int n, uint32_t startMs)
    {
        uint32_t now = startMs;
        for (int i = 0; i < n; ++i) {
            now += CQORTapeLabel::kStepIntervalMs;
            label->animationStep(now);
        }
        return now;
    }
    CQORTapeLabel* label = nullptr;
};

TEST_F(TapeLabel, StartsWithTheTagTheDefaultTextAndThePenAtRest)
{
    EXPECT_EQ(label->getTag(), 69);
    EXPECT_STREQ(label->getText(), CQORTapeLabel::kDefaultText);
    const CRect pen = label->getPenRect();
    EXPECT_EQ(pen.left, 523 - 67);
    EXPECT_EQ(pen.right, 523 - 20);
    EXPECT_EQ(pen.top, 1);
    EXPECT_EQ(pen.bottom, 34);
}

TEST_F(TapeLabel, PenMovesOnlyWhileTheNameIsTyped)
{
    runSteps(10, 1000);
    EXPECT_EQ(label->getAnimationStep(), 0);
    click(100, 20);
    ASSERT_TRUE(label->isTextEditing());
    runSteps(3, 1000);
    EXPECT_EQ(label->getAnimationStep(), 3);
    EXPECT_EQ(label->getPenRect().left, label->initialPenRect().left);  // steps 1 to 3 rest
    EXPECT_EQ(label->getPenRect().top, label->initialPenRect().top);
}

TEST_F(TapeLabel, StepsNeedThirtyMillisecondsBetweenThem)
{
    click(100, 20);
    label->animationStep(1000);
    EXPECT_EQ(label->getAnimationStep(), 1);
    label->animationStep(1029);
    EXPECT_EQ(label->getAnimationStep(), 1);
    label->animationStep(1030);
    EXPECT_EQ(label->getAnimationStep(), 2);
}

TEST_F(TapeLabel, PenWritesAndReturnsHomeAfterNinetyFiveSteps)
{
    click(100, 20);
    const CRect home = label->initialPenRect();
    uint32_t now = runSteps(12, 1000);
    // Steps 4 to 11 go down and right, step 12 right.
    EXPECT_EQ(label->getPenRect().left, home.left + 5);
    EXPECT_EQ(label->getPenRect().top, home.top + 8);
    now = runSteps(94 - 12, now);
    EXPECT_EQ(label->getAnimationStep(), 94);
    EXPECT_NE(label->getPenRect().left, home.left);  // the slide back overshoots by one
    runSteps(1, now);
    EXPECT_EQ(label->getAnimationStep(), 0);
    EXPECT_EQ(label->getPenRect().left, home.left);
    EXPECT_EQ(label->getPenRect().top, home.top);
    EXPECT_EQ(label->getPenRect().getWidth(), 47);
}

TEST_F(TapeLabel, ThePenIsDrawnOnlyWhileEditing)
{
    const CRect pen = label->getPenRect();
    const auto penPixels = [&] {
        std::vector<CColor> pixels;
        for (int y = static_cast<int>(pen.top); y < pen.bottom; y += 3)
            for (int x = static_cast<int>(pen.left); x < pen.right; x += 3)
                pixels.push_back(pixel(x, y));
        return pixels;
    };
    const auto same = [](const std::vector<CColor>& a, const std::vector<CColor>& b) {
        for (std::size_t i = 0; i < a.size(); ++i)
            if (!near(a[i], b[i]))
                return false;
        return true;
    };
    redraw();
    const std::vector<CColor> idle = penPixels();
    click(100, 20);
    redraw();
    EXPECT_FALSE(same(idle, penPixels()));
}

}  // namespace
}  // namespace controls_test
