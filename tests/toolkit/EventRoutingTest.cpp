#include "ToolkitProbes.h"

#include "toolkit/DoubleClickDetector.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace toolkit_test {
namespace {

// outer (50,20)-(150,80) > inner (10,10)-(90,50) > a (5,5)-(25,25) and b (40,5)-(60,25);
// c sits directly in the frame at (160,20)-(190,50).
class NestedViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CFrame(CRect(0, 0, 200, 100), nullptr, nullptr);
        outer = new ProbeContainer(CRect(50, 20, 150, 80), "outer", &log);
        inner = new ProbeContainer(CRect(10, 10, 90, 50), "inner", &log);
        a = new ProbeView(CRect(5, 5, 25, 25), "a", &log);
        b = new ProbeView(CRect(40, 5, 60, 25), "b", &log);
        c = new ProbeView(CRect(160, 20, 190, 50), "c", &log);
        inner->addView(a);
        inner->addView(b);
        outer->addView(inner);
        frame->addView(outer);
        frame->addView(c);
    }
    void TearDown() override { frame->close(); }

    CMouseEventResult down(CCoord x, CCoord y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        return frame->onMouseDown(p, buttons);
    }
    void up(CCoord x, CCoord y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        frame->onMouseUp(p, buttons);
    }
    void move(CCoord x, CCoord y, int32_t buttons = 0)
    {
        CPoint p(x, y);
        frame->onMouseMoved(p, buttons);
    }

    EventLog log;
    CFrame* frame = nullptr;
    ProbeContainer* outer = nullptr;
    ProbeContainer* inner = nullptr;
    ProbeView* a = nullptr;
    ProbeView* b = nullptr;
    ProbeView* c = nullptr;
};

TEST_F(NestedViews, PressReachesTheInnermostViewInItsParentsCoordinates)
{
    EXPECT_EQ(down(66, 36), kMouseEventHandled);
    EXPECT_EQ(a->lastWhere, CPoint(6, 6));
    EXPECT_TRUE(a->lastButtons.isLeftButton());
    CPoint p(66, 36);
    EXPECT_EQ(frame->getViewAt(p, true), a);
    EXPECT_EQ(frame->getViewAt(p, false), outer);
}

TEST_F(NestedViews, PressBesideEveryViewIsNotHandled)
{
    log.clear();
    EXPECT_EQ(down(62, 32), kMouseEventNotHandled);  // inside inner, left of a
    EXPECT_EQ(down(5, 5), kMouseEventNotHandled);    // frame only
    for (const std::string& entry : log)
        EXPECT_EQ(entry.rfind("down", 0), std::string::npos) << entry;
}

TEST_F(NestedViews, PressIsCapturedUntilTheButtonComesUp)
{
    down(66, 36);
    log.clear();
    move(101, 36, kLButton);   // over b
    move(175, 30, kLButton);   // over c, outside both containers
    up(175, 30);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "drag a");
    EXPECT_EQ(log[1], "drag a");
    EXPECT_EQ(log[2], "up a");
    EXPECT_EQ(a->lastWhere, CPoint(115, 0));  // still in inner's coordinates
    // Only after the release does the hover move on to c.
    EXPECT_NE(std::find(log.begin() + 3, log.end(), "enter c"), log.end());
}

TEST_F(NestedViews, EnterAndExitFollowTheNestingOrder)
{
    move(66, 36);
    move(101, 36);
    move(175, 30);
    CPoint outside(-1, -1);
    frame->onMouseExited(outside, 0);
    const EventLog expected{"enter outer", "enter inner", "enter a", "hover a", "exit a",  "enter b", "hover b",
                            "exit b",      "exit inner",  "exit outer", "enter c", "hover c", "exit c"};
    EXPECT_EQ(log, expected);
}

TEST_F(NestedViews, MovesWithoutAButtonNeverDrag)
{
    down(66, 36);
    up(66, 36);
    log.clear();
    move(70, 40);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "hover a");
    EXPECT_FALSE(a->lastButtons.isLeftButton());
}

TEST_F(NestedViews, WheelGoesToTheViewUnderTheMouse)
{
    frame->onWheel(CPoint(101, 36), kMouseWheelAxisY, 1.f, 0);
    EXPECT_EQ(log.back(), "wheel+ b");
    EXPECT_EQ(b->lastWhere, CPoint(41, 6));
    frame->onWheel(CPoint(175, 30), kMouseWheelAxisY, -1.f, 0);
    EXPECT_EQ(log.back(), "wheel- c");
    log.clear();
    EXPECT_FALSE(frame->onWheel(CPoint(5, 5), kMouseWheelAxisY, 1.f, 0));
    EXPECT_FALSE(frame->onWheel(CPoint(66, 36), kMouseWheelAxisX, 1.f, 0));
    for (const std::string& entry : log)
        EXPECT_EQ(entry.rfind("wheel", 0), std::string::npos) << entry;
}

TEST_F(NestedViews, TopmostViewWinsAndOnlyTransparentViewsLetPressesThrough)
{
    auto* cover = new ProbeView(CRect(160, 20, 190, 50), "cover", &log, kWhiteCColor, kMouseEventNotHandled);
    frame->addView(cover);
    move(170, 30);
    log.clear();
    EXPECT_EQ(down(170, 30), kMouseEventNotHandled);
    EXPECT_EQ(log, (EventLog{"down cover"}));
    cover->setTransparency(true);
    log.clear();
    EXPECT_EQ(down(170, 30), kMouseEventHandled);
    EXPECT_EQ(log, (EventLog{"down cover", "down c"}));
    cover->setVisible(false);
    log.clear();
    down(170, 30);
    EXPECT_EQ(log, (EventLog{"down c"}));
}

TEST_F(NestedViews, RemovingTheHoveredOrCapturedViewLeavesNoDanglingPointer)
{
    move(66, 36);
    down(66, 36);
    inner->removeView(a);
    EXPECT_EQ(std::count(frame->getMouseViews().begin(), frame->getMouseViews().end(), a), 0);
    move(70, 40, kLButton);
    up(70, 40);
    move(101, 36);
    EXPECT_EQ(log.back(), "hover b");
}

TEST(DoubleClick, SecondPressWithin300MsAnd4PixelsIsADoubleClick)
{
    DoubleClickDetector detector;
    EXPECT_FALSE(detector.press(1, 1000, CPoint(10, 10)));
    EXPECT_TRUE(detector.press(1, 1300, CPoint(14, 6)));
    // A third press starts a new pair.
    EXPECT_FALSE(detector.press(1, 1350, CPoint(14, 6)));
    EXPECT_FALSE(detector.press(1, 1651, CPoint(14, 6)));  // 301 ms
    EXPECT_FALSE(detector.press(1, 1700, CPoint(19, 6)));  // 5 px
    EXPECT_FALSE(detector.press(3, 1750, CPoint(19, 6)));  // other button
}

TEST(DoubleClick, SurvivesTheWrapOfTheServerClock)
{
    DoubleClickDetector detector;
    EXPECT_FALSE(detector.press(1, 0xffffff00u, CPoint(0, 0)));
    EXPECT_TRUE(detector.press(1, 0x00000010u, CPoint(0, 0)));
}

}  // namespace
}  // namespace toolkit_test
