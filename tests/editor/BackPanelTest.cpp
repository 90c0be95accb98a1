// The settings back panels offscreen: every control where the tables put it
// with the engine's value, the stepped knobs' frames, the calibration
// selector, opening and closing through tag 65 and empty places, the stored
// global set, and what happens while the panel is hidden.

#include "PanelTestSupport.h"

#include "base/ParameterIds.h"
#include "base/Version.h"
#include "controls/CAnimKnob4.h"
#include "controls/CQORCalibrationControl.h"
#include "controls/CQORHorizontalSwitch.h"
#include "controls/CQOROnOffButton.h"
#include "editor/BackPanelKnobs.h"
#include "editor/CQORBackPanelContainer.h"
#include "editor/PPMBackPanel.h"
#include "editor/RMSBackPanel.h"
#include "editor/VUBackPanel.h"
#include "meters/SettingsSource.h"
#include "platform/SettingsStore.h"
#include "toolkit/CMovieBitmap.h"
#include "toolkit/CTextLabel.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace VSTGUI;
using paneltest::Bench;
namespace back = editor::back;

CRect rectOf(const editor::Rect& r) { return CRect(r.left, r.top, r.right, r.bottom); }

template <class Panel>
struct Opened {
    explicit Opened(int windowHeight = editor::kBackPanelHeight) : bench(windowHeight), panel(&bench.effect, &bench.router)
    {
        bench.router.backPanel = &panel;
        opened = panel.open(bench.frame);
    }
    ~Opened() { bench.router.backPanel = nullptr; }
    Bench bench;
    Panel panel;
    bool opened = false;
};

template <class Panel, std::size_t K, std::size_t S>
void expectLayout(int meter, const std::array<back::Knob, K>& knobs,
                  const std::array<back::Switch, S>& switches, const editor::Rect& version)
{
    Opened<Panel> o;
    ASSERT_TRUE(o.opened);
    o.panel.show();
    const MeterEngine* engine = o.bench.effect.meterEngine(meter);
    for (const back::Knob& knob : knobs) {
        SCOPED_TRACE(knob.tag);
        auto* control = dynamic_cast<CAnimKnob4*>(o.panel.getControl(knob.tag));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->getViewSize(), CRect(knob.origin.x, knob.origin.y, knob.origin.x + 43, knob.origin.y + 41));
        EXPECT_FLOAT_EQ(control->getValue(), engine->getSetting(knob.tag));
        EXPECT_FLOAT_EQ(control->getDefaultValue(), MeterSettingsTable::entry(knob.tag)->defaultValue);
        EXPECT_FLOAT_EQ(control->getWheelStep(), MeterSettingsTable::entry(knob.tag)->wheelStep());
        const bool stepped = dynamic_cast<CSteppedKnob*>(control) != nullptr;
        EXPECT_EQ(stepped, knob.kind != back::KnobKind::plain);
        EXPECT_FLOAT_EQ(control->getDragRange(), stepped ? 0.1f : 0.2f);
        EXPECT_FLOAT_EQ(control->getFineDivisor(), stepped ? 1.f : 10.f);
        CTextLabel* label = o.panel.getLabel(knob.tag);
        ASSERT_EQ(label != nullptr, !stepped);
        if (label) {
            char text[16] = "";
            engine->getSettingDisplay(knob.tag, text);
            EXPECT_STREQ(label->getText(), text);
            EXPECT_EQ(label->getViewSize(), rectOf(knob.label));
        }
    }
    for (const back::Switch& sw : switches) {
        SCOPED_TRACE(sw.tag);
        CControl* control = o.panel.getControl(sw.tag);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->getViewSize(), rectOf(sw.rect));
        EXPECT_FLOAT_EQ(control->getValue(), engine->getSetting(sw.tag));
        if (sw.frames == 3)
            EXPECT_NE(dynamic_cast<CQORHorizontalSwitch*>(control), nullptr);
        else
            EXPECT_TRUE(dynamic_cast<CQOROnOffButton*>(control) && dynamic_cast<CQOROnOffButton*>(control)->isWheelDirectional());
    }
    ASSERT_NE(o.panel.getVersionLabel(), nullptr);
    EXPECT_STREQ(o.panel.getVersionLabel()->getText(), (std::string("v.") + version::kVersion).c_str());
    EXPECT_EQ(o.panel.getVersionLabel()->getViewSize(), rectOf(version));
}

TEST(BackPanelLayout, RmsControlsSitWhereTheTableSaysWithTheEngineValues)
{
    expectLayout<RMSBackPanel>(1, back::kRmsKnobs, back::kRmsSwitches, back::kRmsVersion);
}

TEST(BackPanelLayout, VuControlsSitWhereTheTableSaysWithTheEngineValues)
{
    expectLayout<VUBackPanel>(0, back::kVuKnobs, back::kVuSwitches, back::kVuVersion);
}

TEST(BackPanelLayout, PpmControlsSitWhereTheTableSaysWithTheEngineValues)
{
    expectLayout<PPMBackPanel>(2, back::kPpmKnobs, back::kPpmSwitches, back::kPpmVersion);
}

TEST(BackPanelLayout, WithoutAParentNothingIsBuiltAndShowDoesNothing)
{
    Bench bench;
    VUBackPanel panel(&bench.effect, &bench.router);
    EXPECT_FALSE(panel.open(nullptr));
    EXPECT_EQ(panel.getContainer(), nullptr);
    panel.show();
    panel.toggle();
    EXPECT_FALSE(panel.isShown());
    EXPECT_EQ(panel.getControl(83), nullptr);
}

TEST(BackPanelCalibration, SelectorSpansTheSentenceOnlyWhileStripsAreHidden)
{
    Opened<RMSBackPanel> o;
    o.bench.effect.setParameter(param::kShowStrips, 0.f);
    o.panel.show();
    EXPECT_EQ(o.panel.getCalibrationSelector()->getViewSize(), CRect(0, 1, 581, 12));
    o.panel.toggle();
    o.bench.effect.setParameter(param::kShowStrips, 1.f);
    o.panel.toggle();
    EXPECT_EQ(o.panel.getCalibrationSelector()->getViewSize(), CRect(0, 1, 86, 12));
    EXPECT_EQ(o.panel.getCalibrationSentence()->getViewSize(), CRect(0, 180, 586, 191));
}

TEST(BackPanelCalibration, LetterZonesChooseTheSettingsSourceAndBothViewsFollow)
{
    Opened<VUBackPanel> o;
    o.panel.show();
    const float values[] = {0.f, 0.5f, 1.f};
    const int zoneX[] = {5, 20, 32};  // G, S, I
    for (int zone : {2, 0, 1}) {
        SCOPED_TRACE(zone);
        o.bench.click(zoneX[zone], 6);
        EXPECT_FLOAT_EQ(o.bench.effect.getParameter(param::kSettingsSource), values[zone]);
        EXPECT_EQ(o.panel.getCalibrationSelector()->position(), zone);
        EXPECT_FLOAT_EQ(o.panel.getCalibrationSentence()->getValue(), values[zone]);
    }
    SettingsSource::setCurrent(SettingsSource::kSession);
}

TEST(BackPanelOpenClose, TagSixtyFiveTogglesAndAnEmptyPlaceCloses)
{
    Opened<PPMBackPanel> o;
    CQORBackPanelContainer* container = o.panel.getContainer();
    EXPECT_FALSE(o.bench.frame->isChild(container));
    // What the meter selector's middle sends.
    o.bench.router.valueChanged(container->getCloseButton());
    EXPECT_TRUE(o.panel.isShown());
    EXPECT_TRUE(o.bench.frame->isChild(container));

    // A press on a knob is the knob's.
    o.bench.click(24 + 20, 36 + 20);
    EXPECT_TRUE(o.panel.isShown());
    // A press on a value text or on bare panel closes it.
    o.bench.click(30, 85);
    EXPECT_FALSE(o.panel.isShown());
    EXPECT_FALSE(o.bench.frame->isChild(container));
    o.panel.toggle();
    o.bench.click(350, 220);
    EXPECT_FALSE(o.panel.isShown());
    // Hidden panels keep their views for the next show.
    EXPECT_EQ(o.panel.getContainer(), container);
    EXPECT_NE(o.panel.getControl(93), nullptr);
}

TEST(BackPanelOpenClose, ClosingStoresTheGlobalSetInThePrivateStore)
{
    std::remove(platform::settingsFilePath().c_str());
    Opened<VUBackPanel> o;
    o.bench.effect.setParameter(param::kSettingsSource, 0.f);  // Global
    o.panel.toggle();
    // A double click restores the reference default and sends it as parameter 83.
    o.bench.effect.setParameter(83, 0.6f);
    o.bench.click(24 + 20, 36 + 20, kLButton | kDoubleClick);
    EXPECT_FLOAT_EQ(o.bench.effect.getParameter(83), 0.25f);
    o.bench.effect.setParameter(84, 0.75f);
    EXPECT_EQ(platform::SettingsKey::open(platform::kSettingsKeyPath), nullptr);

    o.bench.click(350, 220);
    EXPECT_FALSE(o.panel.isShown());
    const auto key = platform::SettingsKey::open(platform::kSettingsKeyPath);
    ASSERT_NE(key, nullptr);
    float stored = -1.f;
    ASSERT_TRUE(key->query("Avuintegration", &stored, sizeof stored));
    EXPECT_FLOAT_EQ(stored, 0.75f);
    ASSERT_TRUE(key->query("Avureference", &stored, sizeof stored));
    EXPECT_FLOAT_EQ(stored, 0.25f);
    SettingsSource::setCurrent(SettingsSource::kSession);
}

TEST(BackPanelKnobs, SteppedKnobsShowTheirFixedFrames)
{
    Opened<RMSBackPanel> o;
    o.panel.show();
    auto* overs = dynamic_cast<CRmsOverLedKnob*>(o.panel.getControl(78));
    ASSERT_NE(overs, nullptr);
    overs->setValue(0.f);
    EXPECT_EQ(overs->shownFrame(), 2);
    overs->setValue(1.f);
    EXPECT_EQ(overs->shownFrame(), 47);
    overs->setValue(4.f / 9.f);
    EXPECT_EQ(overs->shownFrame(), 22);
    auto* ledRef = dynamic_cast<CRmsLedRefKnob*>(o.panel.getControl(79));
    ASSERT_NE(ledRef, nullptr);
    ledRef->setValue(0.5f);
    EXPECT_EQ(ledRef->shownFrame(), 25);

    Opened<VUBackPanel> vu;
    vu.panel.show();
    auto* backLit = dynamic_cast<CVuBackLitKnob*>(vu.panel.getControl(88));
    ASSERT_NE(backLit, nullptr);
    backLit->setValue(0.75f);
    EXPECT_EQ(backLit->shownFrame(), 30);
    auto* vuOvers = dynamic_cast<CVuOverLedKnob*>(vu.panel.getControl(89));
    vuOvers->setValue(1.f);
    EXPECT_EQ(vuOvers->shownFrame(), 48);
}

TEST(BackPanelKnobs, AWheelNotchMovesTheVuLedReferenceOnePosition)
{
    Opened<VUBackPanel> o;
    o.panel.show();
    auto* ledRef = dynamic_cast<CVuLedRefKnob*>(o.panel.getControl(90));
    ASSERT_NE(ledRef, nullptr);
    o.bench.effect.setParameter(90, 1.f);
    EXPECT_EQ(ledRef->position(), 3);
    CPoint where(434 + 20, 35 + 20);
    o.bench.frame->onWheel(where, kMouseWheelAxisY, -1.f, CButtonState());
    EXPECT_EQ(ledRef->position(), 2);
    EXPECT_EQ(ledRef->shownFrame(), 31);
    EXPECT_NEAR(o.bench.effect.getParameter(90), 2.f / 3.f, 1e-5);
}

TEST(BackPanelParameters, LabelsFollowAndHiddenPanelsCatchUpOnShow)
{
    Opened<VUBackPanel> o;
    o.panel.show();
    o.bench.effect.setParameter(83, 0.5f);
    char text[16] = "";
    o.bench.effect.meterEngine(0)->getSettingDisplay(83, text);
    EXPECT_STREQ(o.panel.getLabel(83)->getText(), text);
    EXPECT_FLOAT_EQ(o.panel.getControl(83)->getValue(), 0.5f);

    o.panel.toggle();
    o.bench.effect.setParameter(83, 1.f);  // automation while hidden
    EXPECT_FLOAT_EQ(o.panel.getControl(83)->getValue(), 0.5f);
    EXPECT_STREQ(o.panel.getLabel(83)->getText(), text);
    o.panel.toggle();
    EXPECT_FLOAT_EQ(o.panel.getControl(83)->getValue(), 1.f);
    o.bench.effect.meterEngine(0)->getSettingDisplay(83, text);
    EXPECT_STREQ(o.panel.getLabel(83)->getText(), text);
}

TEST(BackPanelParameters, ControlsOfOtherMetersAreNotSentOn)
{
    Opened<RMSBackPanel> o;
    o.panel.show();
    const float before = o.bench.effect.getParameter(83);
    CQOROnOffButton stranger(CRect(0, 0, 1, 1), nullptr, 83, nullptr);
    stranger.setValue(before > 0.5f ? 0.f : 1.f);
    o.panel.valueChanged(&stranger);
    EXPECT_FLOAT_EQ(o.bench.effect.getParameter(83), before);
}

TEST(BackPanelRender, EachPanelDrawsItsControls)
{
    Opened<VUBackPanel> vu;
    vu.panel.show();
    EXPECT_TRUE(vu.bench.render("backpanel-vu"));
    // Strips hidden: the window is the front panel's height, and the
    // selector alone carries the sentence.
    Opened<RMSBackPanel> rms(editor::kFrontPanelHeight);
    rms.bench.effect.setParameter(param::kShowStrips, 0.f);
    rms.panel.show();
    EXPECT_TRUE(rms.bench.render("backpanel-rms"));
    Opened<PPMBackPanel> ppm;
    ppm.panel.show();
    EXPECT_TRUE(ppm.bench.render("backpanel-ppm"));
}

}  // namespace
