#include "ToolkitProbes.h"

#include "toolkit/CAnimKnob.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/CSlider.h"

#include <gtest/gtest.h>

namespace toolkit_test {
namespace {

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProbeView::liveCount = 0;
        frame = new CFrame(CRect(0, 0, 100, 50), nullptr, nullptr);
    }
    void TearDown() override
    {
        if (frame)
            frame->close();
    }
    CFrame* frame = nullptr;
};

TEST_F(FrameFixture, IdleRedrawsOnlyTheDirtyViews)
{
    auto* a = new ProbeView(CRect(0, 0, 20, 20), "a", nullptr);
    auto* b = new ProbeView(CRect(30, 0, 50, 20), "b", nullptr);
    auto* c = new ProbeView(CRect(60, 0, 80, 20), "c", nullptr);
    frame->addView(a);
    frame->addView(b);
    frame->addView(c);
    frame->idle();
    EXPECT_EQ(a->drawCount, 1);
    EXPECT_EQ(b->drawCount, 1);
    EXPECT_EQ(c->drawCount, 1);

    frame->idle();
    EXPECT_EQ(a->drawCount + b->drawCount + c->drawCount, 3) << "nothing changed, nothing drawn";

    b->setDirty();
    frame->idle();
    EXPECT_EQ(a->drawCount, 1);
    EXPECT_EQ(b->drawCount, 2);
    EXPECT_EQ(c->drawCount, 1);

    // An invalid area redraws every view it touches, in order, and only those.
    frame->invalidRect(CRect(15, 5, 35, 10));
    frame->idle();
    EXPECT_EQ(a->drawCount, 2);
    EXPECT_EQ(b->drawCount, 3);
    EXPECT_EQ(c->drawCount, 1);
}

TEST_F(FrameFixture, AControlIsRedrawnWhenItsValueChanges)
{
    CBitmap* strip = makeFilmStrip(20, 10, 2);
    auto* button = new COnOffButton(CRect(0, 0, 20, 10), nullptr, 0, strip);
    strip->forget();
    frame->addView(button);
    frame->idle();
    EXPECT_FALSE(button->isDirty());
    button->setValue(1.f);
    EXPECT_TRUE(button->isDirty());
    frame->idle();
    EXPECT_FALSE(button->isDirty());
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(5, 5), frameColor(1)));
}

TEST_F(FrameFixture, ViewsOutsideTheFrameTreeInvalidateNothing)
{
    auto* loose = new CViewContainer(CRect(0, 0, 50, 50));
    auto* a = new ProbeView(CRect(0, 0, 20, 20), "a", nullptr);
    loose->addView(a);
    frame->idle();
    a->setDirty();
    a->invalid();
    frame->idle();
    EXPECT_EQ(a->drawCount, 0);
    EXPECT_TRUE(frame->getDirtyRegion().isEmpty());
    loose->forget();
    EXPECT_EQ(ProbeView::liveCount, 0);
}

TEST_F(FrameFixture, SetSizeResizesTheBackBufferAndRedrawsWhole)
{
    auto* a = new ProbeView(CRect(0, 40, 100, 80), "a", nullptr, MakeCColor(0, 255, 0));
    frame->addView(a);
    frame->idle();
    EXPECT_EQ(frame->getBackBuffer().getPixel(50, 60).alpha, 0);
    ASSERT_TRUE(frame->setSize(100, 90));
    EXPECT_EQ(frame->getBackBuffer().getHeight(), 90);
    frame->idle();
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(50, 60), MakeCColor(0, 255, 0)));
    EXPECT_FALSE(frame->setSize(100, 0));
    EXPECT_EQ(frame->getViewSize().getHeight(), 90);
}

TEST_F(FrameFixture, ZOrderDecidesWhatIsOnTop)
{
    auto* red = new ProbeView(CRect(0, 0, 20, 20), "red", nullptr, MakeCColor(255, 0, 0));
    auto* blue = new ProbeView(CRect(0, 0, 20, 20), "blue", nullptr, MakeCColor(0, 0, 255));
    frame->addView(red);
    frame->addView(blue);
    frame->idle();
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(5, 5), MakeCColor(0, 0, 255)));
    EXPECT_TRUE(frame->changeViewZOrder(red, 1));
    frame->idle();
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(5, 5), MakeCColor(255, 0, 0)));
    EXPECT_FALSE(frame->changeViewZOrder(red, 2));
}

TEST_F(FrameFixture, ContainerBackgroundIsDrawnFromItsOffset)
{
    CBitmap* strip = makeFilmStrip(100, 10, 3);
    auto* panel = new CViewContainer(CRect(0, 0, 100, 10), nullptr, strip);
    strip->forget();
    panel->setBackgroundOffset(CPoint(0, 20));
    frame->addView(panel);
    frame->idle();
    EXPECT_TRUE(near(frame->getBackBuffer().getPixel(50, 5), frameColor(2)));
}

TEST_F(FrameFixture, RemoveWithForgetDeletesTakeOutKeepsTheViewForTheCaller)
{
    auto* panel = new CViewContainer(CRect(0, 0, 50, 50));
    panel->addView(new ProbeView(CRect(0, 0, 10, 10), "a", nullptr));
    panel->addView(new ProbeView(CRect(10, 0, 20, 10), "b", nullptr));
    frame->addView(panel);
    EXPECT_EQ(panel->getNbReference(), 1);

    ASSERT_TRUE(frame->removeView(panel, false));
    EXPECT_FALSE(panel->isAttached());
    EXPECT_EQ(panel->getNbReference(), 1);
    EXPECT_EQ(ProbeView::liveCount, 2);

    ASSERT_TRUE(frame->addView(panel));  // shown again: the frame adopts the reference
    EXPECT_TRUE(panel->getView(0)->isAttached());
    ASSERT_TRUE(frame->removeView(panel));
    EXPECT_EQ(ProbeView::liveCount, 0);
    EXPECT_FALSE(frame->removeView(panel)) << "a removed view is no longer a child";
}

TEST_F(FrameFixture, ClosingTheFrameReleasesEverythingButWhatWasTakenOut)
{
    auto* kept = new CViewContainer(CRect(0, 0, 50, 50));
    kept->addView(new ProbeView(CRect(0, 0, 10, 10), "kept", nullptr));
    frame->addView(kept);
    frame->addView(new ProbeView(CRect(60, 0, 70, 10), "shown", nullptr));
    frame->removeView(kept, false);
    frame->close();
    frame = nullptr;
    EXPECT_EQ(ProbeView::liveCount, 1);
    kept->forget();
    EXPECT_EQ(ProbeView::liveCount, 0);
}

TEST(Ownership, ControlsHoldOneReferenceToTheirBitmapsAndDropItWhenDeleted)
{
    CBitmap* strip = makeFilmStrip(10, 10, 2);
    CBitmap* handle = makeSolidBitmap(4, 4, kBlackCColor);
    strip->remember();  // our own observer reference
    handle->remember();
    auto* button = new COnOffButton(CRect(0, 0, 10, 10), nullptr, 0, strip);
    auto* slider = new CSlider(CRect(0, 0, 50, 10), nullptr, 0, CPoint(0, 0), 50, handle, strip);
    strip->forget();  // the creator's reference, released once the controls hold theirs
    handle->forget();
    EXPECT_EQ(strip->getNbReference(), 3);
    EXPECT_EQ(handle->getNbReference(), 2);
    auto* copy = static_cast<COnOffButton*>(button->newCopy());
    EXPECT_EQ(strip->getNbReference(), 4);
    button->forget();
    slider->forget();
    copy->forget();
    EXPECT_EQ(strip->getNbReference(), 1);
    EXPECT_EQ(handle->getNbReference(), 1);
    strip->forget();
    handle->forget();
}

TEST(Ownership, ClassNamesAnswerTypeQueriesUpTheirChain)
{
    auto* knob = new CAnimKnob(CRect(0, 0, 10, 10), nullptr, 0, nullptr);
    for (const char* name : {"CAnimKnob", "CKnob", "CControl", "CView", "CBaseObject"})
        EXPECT_TRUE(knob->isTypeOf(name)) << name;
    EXPECT_FALSE(knob->isTypeOf("CSlider"));
    EXPECT_FALSE(knob->isTypeOf("CViewContainer"));
    knob->setValue(0.3f);
    auto* copy = static_cast<CAnimKnob*>(knob->newCopy());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getValue(), 0.3f);
    EXPECT_EQ(copy->getParentView(), nullptr);
    copy->forget();
    knob->forget();
}

}  // namespace
}  // namespace toolkit_test
