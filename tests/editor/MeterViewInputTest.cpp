// What reaches a meter view from outside: the click that clears the overs,
// the readings the panel writes (limited, not-a-number ignored), and the
// view's identity for the toolkit.

#include "base/ParameterIds.h"
#include "core/Templete.h"
#include "editor/CQORPPMMeter2.h"
#include "editor/CQORRMSMeter2.h"
#include "editor/CQORVUMeter2.h"
#include "toolkit/CFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace VSTGUI;

const CPoint kOrigin(12, 18);
const float kNan = std::nanf("");

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Hands a clicked view's tag to the effect, as the panel does.
class ForwardingListener : public CControlListener {
public:
    explicit ForwardingListener(Templete* effect) : effect(effect) {}
    void valueChanged(CControl* control) override
    {
        tags.push_back(control->getTag());
        if (effect)
            effect->setParameter(control->getTag(), 0.0f);
    }
    Templete* effect;
    std::vector<int32_t> tags;
};

class ClickFrame {
public:
    ClickFrame() : frame(new CFrame(CRect(0, 0, 586, 169), nullptr, nullptr)) {}
    ~ClickFrame() { frame->close(); }
    ClickFrame(const ClickFrame&) = delete;
    ClickFrame& operator=(const ClickFrame&) = delete;
    CMouseEventResult click(CCoord x, CCoord y, int32_t buttons)
    {
        CPoint where(x, y);
        const CMouseEventResult result = frame->onMouseDown(where, buttons);
        CPoint up(x, y);
        frame->onMouseUp(up, 0);
        return result;
    }
    CFrame* frame;
};

void overdrive(Templete& effect)
{
    std::vector<float> loud(4096, 4.0f);
    effect.meterEngine(2)->processBlock(loud.data(), loud.data(), static_cast<int>(loud.size()));
    effect.meterEngine(0)->processBlock(loud.data(), loud.data(), static_cast<int>(loud.size()));
}

TEST(Click, LeftClickClearsTheOversOfEveryMeterThroughTheEffect)
{
    Templete effect(quietHost);
    ForwardingListener listener(&effect);
    ClickFrame screen;
    screen.frame->addView(new CQORVUMeter2(kOrigin, &listener));
    screen.frame->addView(new CQORPPMMeter2(CPoint(277, 18), &listener));
    overdrive(effect);
    ASSERT_EQ(effect.meterEngine(2)->readOverState(0), 1.0);
    ASSERT_EQ(effect.meterEngine(0)->readOverState(0), 1.0);

    // A click on the VU view clears the PPM meter's overs too.
    EXPECT_EQ(screen.click(100, 60, kLButton), kMouseEventHandled);
    ASSERT_EQ(listener.tags, std::vector<int32_t>{kParamClearOvers});
    EXPECT_EQ(effect.meterEngine(2)->readOverState(0), -1.0);
    EXPECT_EQ(effect.meterEngine(0)->readOverState(0), -1.0);
}

TEST(Click, OtherButtonsAreNotTheViewsBusiness)
{
    ForwardingListener listener(nullptr);
    ClickFrame screen;
    screen.frame->addView(new CQORRMSMeter2(kOrigin, &listener));
    EXPECT_EQ(screen.click(100, 60, kRButton), kMouseEventNotHandled);
    EXPECT_EQ(screen.click(100, 60, kMButton), kMouseEventNotHandled);
    EXPECT_TRUE(listener.tags.empty());
    EXPECT_EQ(screen.click(100, 60, kLButton | kShift), kMouseEventHandled);
    EXPECT_EQ(listener.tags.size(), 1u);
}

TEST(Click, WithoutAListenerAClickIsHarmless)
{
    ClickFrame screen;
    screen.frame->addView(new CQORPPMMeter2(kOrigin, nullptr));
    EXPECT_EQ(screen.click(100, 60, kLButton), kMouseEventHandled);
}

TEST(Readings, ViewsStartAtRestWithNoOverAndNoHold)
{
    const CQORRMSMeter2 rms(kOrigin, nullptr);
    EXPECT_FLOAT_EQ(rms.getLevel(), 1e-6F);
    EXPECT_FLOAT_EQ(rms.getRms(), 1e-6F);
    EXPECT_EQ(rms.getOverState(), -1);
    EXPECT_FALSE(rms.getShowHold());
    const CQORVUMeter2 vu(kOrigin, nullptr);
    EXPECT_FLOAT_EQ(vu.getNeedle(), -0.05F);
    EXPECT_FLOAT_EQ(vu.getHold(), -0.05F);
    EXPECT_EQ(vu.getBacklight(), 0);
    EXPECT_EQ(vu.getTag(), kParamClearOvers);
}

TEST(Readings, LevelReadingsAreLimitedToTheScaleRangeAndNanKeepsThePrevious)
{
    CQORRMSMeter2 rms(kOrigin, nullptr);
    rms.setReadings(100.0F, 0.0F, -3.0F);
    EXPECT_EQ(rms.getLevel(), 32.0F);
    EXPECT_EQ(rms.getHold(), 0.0001F);
    EXPECT_EQ(rms.getRms(), 0.0001F);
    rms.setReadings(0.5F, 0.25F, 0.125F);
    rms.setReadings(kNan, kNan, INFINITY);
    EXPECT_EQ(rms.getLevel(), 0.5F);
    EXPECT_EQ(rms.getHold(), 0.25F);
    EXPECT_EQ(rms.getRms(), 32.0F);

    CQORPPMMeter2 ppm(kOrigin, nullptr);
    ppm.setReadings(2.0F, -INFINITY);
    EXPECT_EQ(ppm.getLevel(), 2.0F);
    EXPECT_EQ(ppm.getHold(), 0.0001F);
    ppm.setReadings(kNan, kNan);
    EXPECT_EQ(ppm.getLevel(), 2.0F);
}

TEST(Readings, VuReadingsAreLimitedToTheNeedleTravel)
{
    CQORVUMeter2 vu(kOrigin, nullptr);
    vu.setReadings(-1.0F, 9.0F);
    EXPECT_EQ(vu.getNeedle(), -0.05F);
    EXPECT_EQ(vu.getHold(), 1.5F);
    vu.setReadings(0.7F, kNan);
    EXPECT_EQ(vu.getNeedle(), 0.7F);
    EXPECT_EQ(vu.getHold(), 1.5F);
}

TEST(Views, GeometryFollowsTheTopLeftCorner)
{
    const CQORVUMeter2 vu(CPoint(277, 18), nullptr);
    EXPECT_EQ(vu.getViewSize(), CRect(277, 18, 527, 140));
    EXPECT_EQ(vu.getPivot().x, 277 + 128.0);
    EXPECT_EQ(vu.getPivot().y, 18 + 155.0);
    EXPECT_EQ(vu.getLedRect(), CRect(277 + 181, 18 + 90, 277 + 201, 18 + 110));
    const CQORRMSMeter2 rms(CPoint(12, 18), nullptr);
    EXPECT_EQ(rms.getViewSize(), CRect(12, 18, 262, 134));
    EXPECT_DOUBLE_EQ(rms.getPivot().y, 18 + 149.8);
}

TEST(Views, TypeQueriesAndCopies)
{
    CQORPPMMeter2 ppm(kOrigin, nullptr);
    EXPECT_TRUE(ppm.isTypeOf("CQORMeter2"));
    EXPECT_TRUE(ppm.isTypeOf("CControl"));
    EXPECT_TRUE(ppm.isTypeOf("CView"));
    EXPECT_TRUE(ppm.isTypeOf("CBaseObject"));
    EXPECT_FALSE(ppm.isTypeOf("CQORVUMeter2"));

    CQORVUMeter2 vu(kOrigin, nullptr);
    vu.setReadings(0.9F, 1.2F);
    vu.setBacklight(3);
    vu.setOverState(0);
    CBitmap* scale = vu.getScaleBitmap();
    ASSERT_NE(scale, nullptr);
    const int32_t before = scale->getNbReference();
    auto* copy = static_cast<CQORVUMeter2*>(vu.newCopy());
    EXPECT_STREQ(copy->getClassName(), "CQORVUMeter2");
    EXPECT_EQ(copy->getNeedle(), 0.9F);
    EXPECT_EQ(copy->getBacklight(), 3);
    EXPECT_EQ(copy->getOverState(), 0);
    EXPECT_EQ(copy->getScaleBitmap(), scale);
    EXPECT_EQ(scale->getNbReference(), before + 1);
    copy->forget();
    EXPECT_EQ(scale->getNbReference(), before);
}

}  // namespace
