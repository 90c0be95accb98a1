// CQSKickButton through a frame: hover image, one kick per press.

#include "controls/CQSKickButton.h"
#include "tests/toolkit/ToolkitProbes.h"
#include "toolkit/CDrawContext.h"

#include <gtest/gtest.h>

namespace {

using namespace VSTGUI;
using namespace toolkit_test;

constexpr int kWidth = 10;
constexpr int kFrameHeight = 14;

class KickButtonBench : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CFrame(CRect(0, 0, 60, 40), nullptr, &editor);
        frame->setBackgroundColor(kWhiteCColor);
        CBitmap* strip = makeFilmStrip(kWidth, kFrameHeight, 3);
        button = new CQSKickButton(CRect(20, 10, 20 + kWidth, 10 + kFrameHeight), &editor, 121, kFrameHeight, strip);
        strip->forget();
        frame->addView(button);
    }
    void TearDown() override { frame->close(); }

    CColor shown()
    {
        frame->drawDirtyRegion();
        return frame->getBackBuffer().getPixel(25, 17);
    }
    void moveTo(CCoord x, CCoord y, int32_t buttons = 0)
    {
        CPoint p(x, y);
        frame->onMouseMoved(p, buttons);
    }
    CMouseEventResult down(int32_t buttons = kLButton)
    {
        CPoint p(25, 17);
        return frame->onMouseDown(p, buttons);
    }
    void up()
    {
        CPoint p(25, 17);
        frame->onMouseUp(p, kLButton);
    }

    RecordingEditor editor;
    CFrame* frame = nullptr;
    CQSKickButton* button = nullptr;
};

TEST_F(KickButtonBench, HoverShowsImageOneAndLeavingPutsImageZeroBack)
{
    frame->invalid();
    EXPECT_TRUE(near(shown(), frameColor(0))) << describe(shown());
    moveTo(25, 17);
    EXPECT_TRUE(button->isHover());
    EXPECT_TRUE(near(shown(), frameColor(1))) << describe(shown());
    moveTo(50, 35);
    EXPECT_FALSE(button->isHover());
    EXPECT_TRUE(near(shown(), frameColor(0))) << describe(shown());
}

TEST_F(KickButtonBench, LeftPressKicksOnceAndShowsImageTwoEvenUnderTheMouse)
{
    moveTo(25, 17);
    EXPECT_EQ(down(), kMouseEventHandled);
    ASSERT_EQ(editor.values.size(), 1u);
    EXPECT_EQ(editor.values[0], 1.f);
    EXPECT_EQ(button->currentImage(), CQSKickButton::kImagePressed);
    EXPECT_TRUE(near(shown(), frameColor(2))) << describe(shown());

    up();
    EXPECT_EQ(button->getValue(), 0.f);
    EXPECT_FALSE(button->isPressed());
    EXPECT_EQ(editor.values.size(), 1u) << "the release is not reported";
    EXPECT_TRUE(near(shown(), frameColor(1))) << describe(shown());
}

TEST_F(KickButtonBench, RightPressChangesNothing)
{
    CPoint p(25, 17);
    EXPECT_EQ(button->onMouseDown(p, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    down(kRButton);
    EXPECT_TRUE(editor.values.empty());
    EXPECT_FALSE(button->isPressed());
    EXPECT_EQ(button->getValue(), 0.f);
}

TEST(KickButton, WithoutABitmapDrawsNothingAndStaysDirty)
{
    CQSKickButton button(CRect(0, 0, 10, 10), nullptr, 1, nullptr);
    PixelBuffer target(10, 10);
    CDrawContext context(target);
    button.setDirty(true);
    button.draw(&context);
    EXPECT_TRUE(button.isDirty());
    EXPECT_EQ(target.getPixel(5, 5).alpha, 0);
    CPoint p(5, 5);
    EXPECT_EQ(button.onMouseDown(p, kLButton), kMouseEventHandled) << "no listener is no crash";
}

}  // namespace
