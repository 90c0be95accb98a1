// The editor on an offscreen frame over a real effect: control routing to
// the effect and the host, parameters followed into the controls, meter
// selection, strip heights, the idle refresh from the engines, and a picture
// of each meter's front panel.

#include "base/ParameterIds.h"
#include "controls/CFrontReferenceControl.h"
#include "controls/CHelpHintLabel.h"
#include "controls/CMyTextEdit.h"
#include "controls/CQORHorizontalSwitch.h"
#include "controls/CQORMeterSelectorControl.h"
#include "controls/CQOROnOffButton.h"
#include "controls/CQORSlider.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "editor/CQORPPMMeter2.h"
#include "editor/CQORRMSMeter2.h"
#include "editor/CQORVUMeter2.h"
#include "editor/TemepleteEditor.h"
#include "meters/SettingsSource.h"
#include "platform/Clock.h"
#include "toolkit/CButtonState.h"
#include "toolkit/CFrame.h"
#include "toolkit/CMovieBitmap.h"
#include "toolkit/OffscreenRender.h"
#include "tools/vsthost/PluginHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <thread>
#include <chrono>
#include <vector>

namespace {

using namespace VSTGUI;

constexpr double kPi = 3.14159265358979323846;
constexpr float kRateHz = 44100.0F;
constexpr int kBlockFrames = 512;

class EditorPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::hostState().reset();
        effect = std::make_unique<Templete>(host::hostCallback, makeTemepleteEditor);
        editor = dynamic_cast<TemepleteEditor*>(effect->getEditor());
        ASSERT_NE(editor, nullptr);
        // The selected meter is one per process; each test starts on VU.
        effect->setParameter(param::kMeter, 0.0F);
    }
    void TearDown() override { effect.reset(); }

    bool open()
    {
        host::hostState().calls.clear();
        return editor->openOffscreen();
    }

    CFrame* frame() const { return editor->getFrame(); }
    const FrontControls& shown() const { return editor->getPanel(editor->getCurrentMeter())->getControls(); }

    void click(CView* view)
    {
        ASSERT_NE(view, nullptr);
        CRect r = view->getViewSize();
        CPoint where((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        view->localToFrame(where);
        frame()->onMouseDown(where, CButtonState(kLButton));
        frame()->onMouseUp(where, CButtonState(kLButton));
    }

    int automateCount(VstInt32 index) const
    {
        int n = 0;
        for (const auto& call : host::hostState().calls)
            if (call.opcode == audioMasterAutomate && call.index == index)
                ++n;
        return n;
    }

    std::vector<host::HostState::Call> sizeCalls() const
    {
        std::vector<host::HostState::Call> found;
        for (const auto& call : host::hostState().calls)
            if (call.opcode == audioMasterSizeWindow)
                found.push_back(call);
        return found;
    }

    // A stereo sine of the given peak, run in host-sized blocks.
    void feedSine(double peak, double seconds)
    {
        if (!resumed) {
            effect->setSampleRate(kRateHz);
            effect->dispatcher(effMainsChanged, 0, 1, nullptr, 0.0F);
            resumed = true;
        }
        std::vector<float> left(kBlockFrames);
        std::vector<float> right(kBlockFrames);
        const int blocks = static_cast<int>(seconds * kRateHz / kBlockFrames);
        for (int b = 0; b < blocks; ++b) {
            for (int i = 0; i < kBlockFrames; ++i) {
                const double t = (b * kBlockFrames + i) / static_cast<double>(kRateHz);
                left[static_cast<size_t>(i)] = static_cast<float>(peak * std::sin(2.0 * kPi * 1000.0 * t));
                right[static_cast<size_t>(i)] = left[static_cast<size_t>(i)];
            }
            processBlock(left, right);
        }
    }
    void processBlock(std::vector<float>& left, std::vector<float>& right)
    {
        float* inputs[] = {left.data(), right.data()};
        float* outputs[] = {left.data(), right.data()};
        effect->processReplacing(inputs, outputs, kBlockFrames);
    }

    std::unique_ptr<Templete> effect;
    TemepleteEditor* editor = nullptr;
    bool resumed = false;
};

TEST_F(EditorPanel, OpenFailsWithoutAWindowAndClosedEditorIgnoresParameters)
{
    EXPECT_FALSE(editor->open(nullptr));
    EXPECT_EQ(frame(), nullptr);
    effect->setParameter(param::kShowStrips, 0.0F);
    EXPECT_EQ(editor->getHeight(), TemepleteEditor::kInitialHeight) << "closed: no layout";
    editor->idle();
}

TEST_F(EditorPanel, WindowHeightFollowsTheStripParametersAndTellsTheHost)
{
    effect->setParameter(param::kShowStrips, 0.0F);
    ASSERT_TRUE(open());
    EXPECT_EQ(editor->getHeight(), 169);
    EXPECT_EQ(frame()->getViewSize().getHeight(), 169);
    ASSERT_EQ(sizeCalls().size(), 1u);
    EXPECT_EQ(sizeCalls()[0].index, 586);
    EXPECT_EQ(sizeCalls()[0].value, 169);

    struct Case {
        float strips, filters, label;
        int height;
    };
    const Case cases[] = {{1, 0, 0, 195}, {1, 0, 1, 221}, {1, 1, 0, 235}, {1, 1, 1, 261}, {0, 1, 1, 169}};
    for (const Case& c : cases) {
        effect->setParameter(param::kShowFilters, c.filters);
        effect->setParameter(param::kShowLabel, c.label);
        effect->setParameter(param::kShowStrips, c.strips);
        EXPECT_EQ(editor->getHeight(), c.height) << c.strips << c.filters << c.label;
        EXPECT_EQ(frame()->getViewSize().getHeight(), c.height);
        ASSERT_FALSE(sizeCalls().empty());
        EXPECT_EQ(sizeCalls().back().value, c.height);
    }
    const size_t before = sizeCalls().size();
    effect->setParameter(param::kShowFilters, 0.9F);  // still "on": nothing to lay out
    effect->setParameter(param::kShowStrips, 0.2F);   // still "off"
    EXPECT_EQ(sizeCalls().size(), before);
}

TEST_F(EditorPanel, ReopeningKeepsTheLastHeightWithoutAskingTheHostAgain)
{
    effect->setParameter(param::kShowStrips, 1.0F);
    effect->setParameter(param::kShowFilters, 1.0F);
    effect->setParameter(param::kShowLabel, 1.0F);
    ASSERT_TRUE(open());
    EXPECT_EQ(editor->getHeight(), 261);
    editor->close();
    EXPECT_EQ(frame(), nullptr);
    ASSERT_TRUE(open());
    EXPECT_EQ(frame()->getViewSize().getHeight(), 261) << "the frame starts 195 high and is resized at once";
    EXPECT_TRUE(sizeCalls().empty());
}

TEST_F(EditorPanel, MeterParameterSwapsTheShownPanel)
{
    effect->setParameter(param::kMeter, 0.0F);
    ASSERT_TRUE(open());
    EXPECT_EQ(editor->getCurrentMeter(), 0);
    EXPECT_TRUE(editor->getPanel(0)->isShown());
    const int height = editor->getHeight();

    effect->setParameter(param::kMeter, 0.6F);
    EXPECT_EQ(editor->getCurrentMeter(), 1);
    EXPECT_FALSE(editor->getPanel(0)->isShown());
    EXPECT_TRUE(editor->getPanel(1)->isShown());
    effect->setParameter(param::kMeter, 0.74F);
    EXPECT_EQ(editor->getCurrentMeter(), 1);
    effect->setParameter(param::kMeter, 0.76F);
    EXPECT_EQ(editor->getCurrentMeter(), 2);
    EXPECT_TRUE(editor->getPanel(2)->isShown());
    EXPECT_FALSE(editor->getPanel(1)->isShown());
    EXPECT_EQ(editor->getHeight(), height) << "switching meters keeps the height";
    int shownCount = 0;
    for (int m = 0; m < 3; ++m)
        shownCount += editor->getPanel(m)->isShown() ? 1 : 0;
    EXPECT_EQ(shownCount, 1);
}

TEST_F(EditorPanel, ClickingAControlChangesTheParameterAndTellsTheHost)
{
    effect->setParameter(param::kProcess, 0.0F);
    effect->setParameter(param::kShowStrips, 1.0F);
    ASSERT_TRUE(open());
    click(shown().process);
    EXPECT_EQ(effect->getParameter(param::kProcess), 1.0F);
    EXPECT_EQ(automateCount(param::kProcess), 1);
    EXPECT_TRUE(shown().trimSlider->isActive()) << "PROCESS on activates the trim";

    click(shown().lrMs);
    EXPECT_EQ(effect->getParameter(param::kMidSide), 1.0F);
    EXPECT_EQ(automateCount(param::kMidSide), 1);
    EXPECT_EQ(shown().leftCaption->getValue(), 1.0F) << "captions follow LR/MS";

    click(shown().strips);
    EXPECT_EQ(effect->getParameter(param::kShowStrips), 0.0F);
    EXPECT_EQ(editor->getHeight(), 169);
}

TEST_F(EditorPanel, HostParameterChangesMoveTheControls)
{
    ASSERT_TRUE(open());
    effect->setParameter(param::kTrim, 0.8F);
    EXPECT_FLOAT_EQ(shown().trimSlider->getValue(), 0.8F);
    char display[64] = {};
    effect->getParameterDisplay(param::kTrim, display);
    EXPECT_STREQ(shown().trimText->getText(), display);

    effect->setParameter(param::kHold, 0.5F);
    EXPECT_FLOAT_EQ(shown().hold->getValue(), 0.5F);
    EXPECT_TRUE(shown().leftView->getShowHold());
    effect->setParameter(param::kHold, 0.0F);
    EXPECT_FALSE(shown().rightView->getShowHold());

    effect->setParameter(param::kProcess, 0.0F);
    EXPECT_FALSE(shown().trimSlider->isActive());
    // Hidden panels follow too, so a meter switch shows current values.
    EXPECT_FLOAT_EQ(editor->getPanel(2)->getControls().trimSlider->getValue(), 0.8F);
}

TEST_F(EditorPanel, FrontReferenceControlComesAndGoesWithTheStrips)
{
    effect->setParameter(param::kShowStrips, 0.0F);
    ASSERT_TRUE(open());
    CViewContainer* container = editor->getPanel(0)->getContainer();
    CFrontReferenceControl* reference = shown().reference;
    EXPECT_FALSE(container->isChild(reference));
    effect->setParameter(param::kShowStrips, 1.0F);
    EXPECT_TRUE(container->isChild(reference));
    EXPECT_STRNE(reference->getText(), "") << "the engine's display of the reference";

    effect->setParameter(83, 0.5F);
    char text[32] = {};
    effect->meterEngine(0)->getSettingDisplay(83, text);
    EXPECT_STREQ(reference->getText(), text);
    editor->close();  // with the reference both in and out of the container, nothing leaks or crashes
}

TEST_F(EditorPanel, TrimTextIsReadAsDecibels)
{
    EXPECT_FLOAT_EQ(CQORMeterFULLPANEL::trimValueFromText("6"), 0.65F);
    EXPECT_FLOAT_EQ(CQORMeterFULLPANEL::trimValueFromText("30"), 1.0F);
    EXPECT_FLOAT_EQ(CQORMeterFULLPANEL::trimValueFromText("-25 dB"), 0.0F);
    EXPECT_FLOAT_EQ(CQORMeterFULLPANEL::trimValueFromText("loud"), 0.5F);
    EXPECT_FLOAT_EQ(CQORMeterFULLPANEL::trimValueFromText("nan"), 0.5F);
    EXPECT_FLOAT_EQ(CQORMeterFULLPANEL::trimValueFromText(nullptr), 0.5F);

    ASSERT_TRUE(open());
    CMyTextEditAH* text = shown().trimText;
    text->setText("-6.5");
    editor->valueChanged(text);
    EXPECT_FLOAT_EQ(effect->getParameter(param::kTrim), (-6.5F + 20.0F) * 0.025F);
    EXPECT_EQ(automateCount(param::kTrim), 1);
}

TEST_F(EditorPanel, ClickOnAMeterViewClearsTheOvers)
{
    effect->setParameter(param::kMeter, 0.5F);  // RMS
    ASSERT_TRUE(open());
    feedSine(4.0, 0.3);  // well over full scale
    feedSine(0.01, 1.0);
    editor->idle();
    ASSERT_NE(shown().leftView->getOverState(), CQORMeter2::kOverNone);
    click(shown().leftView);
    editor->idle();
    EXPECT_EQ(shown().leftView->getOverState(), CQORMeter2::kOverNone);
}

TEST_F(EditorPanel, IdleRefreshPutsTheVuNeedleAtZeroVuForTheReferenceSine)
{
    effect->setParameter(param::kMeter, 0.0F);
    effect->setParameter(83, 0.25F);  // reference -18 dBFS
    ASSERT_TRUE(open());
    feedSine(std::pow(10.0, -18.0 / 20.0), 3.0);
    editor->idle();
    auto* left = static_cast<CQORVUMeter2*>(shown().leftView);
    EXPECT_NEAR(left->getNeedle(), 1.0F, 0.03F);
    EXPECT_NEAR(editor::vuAngleDegrees(left->getNeedle()), 77.8, 1.5);
    EXPECT_GE(editor->getLastElapsedBlocks(), 0.0);
    EXPECT_LT(editor->getLastElapsedBlocks(), 50.0) << "the last block was just processed";
}

TEST_F(EditorPanel, RmsReadingsSurviveABlockOfNonNumbers)
{
    effect->setParameter(param::kMeter, 0.5F);
    effect->setParameter(72, 0.667F);  // reference 0 dBFS
    ASSERT_TRUE(open());
    feedSine(1.0, 2.0);
    editor->idle();
    auto* left = static_cast<CQORRMSMeter2*>(shown().leftView);
    const float rmsBefore = left->getRms();
    EXPECT_NEAR(rmsBefore, 1.0F, 0.02F);

    std::vector<float> nan(kBlockFrames, std::numeric_limits<float>::quiet_NaN());
    std::vector<float> nanRight = nan;
    processBlock(nan, nanRight);
    editor->idle();
    EXPECT_FALSE(std::isnan(left->getLevel()));
    EXPECT_FALSE(std::isnan(left->getRms()));
    EXPECT_NEAR(left->getRms(), rmsBefore, 0.1F);
}

TEST_F(EditorPanel, InfiniteHoldKeepsTheHighestReading)
{
    effect->setParameter(param::kMeter, 1.0F);  // PPM
    effect->setParameter(param::kHold, 0.5F);   // "oo"
    ASSERT_TRUE(open());
    feedSine(0.5, 0.5);
    editor->idle();
    auto* left = static_cast<CQORPPMMeter2*>(shown().leftView);
    const float loudHold = left->getHold();
    feedSine(0.01, 4.0);
    editor->idle();
    EXPECT_LT(left->getLevel(), loudHold * 0.1F) << "the level fell";
    EXPECT_GE(left->getHold(), loudHold) << "the hold mark did not";
}

TEST_F(EditorPanel, HoveringAControlShowsItsHintOnThePanelsLine)
{
    ASSERT_TRUE(open());
    CView* process = shown().process;
    CRect r = process->getViewSize();
    CPoint where((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    process->localToFrame(where);
    frame()->onMouseMoved(where, CButtonState());
    EXPECT_STREQ(shown().hint->getText(), "Activates the Trim and FILTERS");
    CPoint away(300, 80);  // over a meter face
    frame()->onMouseMoved(away, CButtonState());
    EXPECT_STREQ(shown().hint->getText(), "");
}

TEST_F(EditorPanel, MiddleOfTheMeterSelectorOpensAndClosesTheBackPanel)
{
    ASSERT_TRUE(open());
    const int32_t views = frame()->getNbViews();
    CView* selector = shown().meterSelector;
    CRect r = selector->getViewSize();
    CPoint middle((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    selector->localToFrame(middle);
    frame()->onMouseDown(middle, CButtonState(kLButton));
    frame()->onMouseUp(middle, CButtonState(kLButton));
    ASSERT_EQ(frame()->getNbViews(), views + 1) << "the back panel covers the front panel";
    EXPECT_NE(frame()->getView(views), editor->getPanel(0)->getContainer());

    CPoint empty(300, 5);  // a bare place of the back panel closes it
    frame()->onMouseDown(empty, CButtonState(kLButton));
    frame()->onMouseUp(empty, CButtonState(kLButton));
    EXPECT_EQ(frame()->getNbViews(), views);
    EXPECT_TRUE(editor->getPanel(0)->isShown());
}

TEST_F(EditorPanel, WithoutAudioTheElapsedTimeGrowsInBlocksOf256Seconds)
{
    ASSERT_TRUE(open());
    ASSERT_EQ(effect->lastBlockTimeSec(), 0.0);
    editor->idle();
    const double first = editor->getLastElapsedBlocks();
    const double nowSec = frame()->getTicks() * 0.001;
    EXPECT_NEAR(first, nowSec / 256.0, 0.01);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    editor->idle();
    EXPECT_GT(editor->getLastElapsedBlocks(), first);
}

double standInClockMs = 0.0;
double standInClock() { return standInClockMs; }

struct StandInClock {
    StandInClock() { platform::setMonotonicMsSource(standInClock); }
    ~StandInClock() { platform::setMonotonicMsSource(nullptr); }
};

// The frame's ticks and the block times are one clock however long the
// machine has been up (2^32 ms is about 49.7 days).
TEST_F(EditorPanel, ElapsedBlocksFollowTheClockPastFortyNineDaysOfUptime)
{
    constexpr int kTenMsFrames = 441;
    effect->setSampleRate(kRateHz);
    effect->resume();
    ASSERT_TRUE(open());
    const StandInClock clock;
    std::vector<float> left(kTenMsFrames);
    std::vector<float> right(kTenMsFrames);
    float* channels[] = {left.data(), right.data()};
    for (double blockMs : {1000.0, 4294967296.0 + 1000.0, 1.0e12}) {
        standInClockMs = blockMs;
        effect->processReplacing(channels, channels, kTenMsFrames);
        standInClockMs = blockMs + 50.0;
        editor->idle();
        EXPECT_NEAR(editor->getLastElapsedBlocks(), 5.0, 1e-3) << "block at " << blockMs << " ms";
    }
}

// However a host leads an editor through its life (an open refused, opened
// or closed twice, the instance closed with the window open), every bitmap
// it loaded is released with the instance.
TEST(EditorLifetime, EveryPathReleasesItsBitmaps)
{
    constexpr VstInt32 kRefusedOpen = -1;  // effEditOpen without a parent window
    void* const window = reinterpret_cast<void*>(0x1234);  // no such window: an offscreen frame
    const std::vector<std::vector<VstInt32>> paths = {
        {},
        {kRefusedOpen},
        {effEditOpen, effEditIdle, effEditClose},
        {effEditOpen, effEditClose, effEditClose},
        {effEditOpen, effEditOpen, effEditIdle, effEditClose},
        {effEditOpen, effEditIdle},
        {effEditOpen, effEditClose, kRefusedOpen, effEditOpen, effEditIdle},
    };
    for (size_t path = 0; path < paths.size(); ++path) {
        const long before = CBitmap::liveCount();
        AEffect* effect = (new Templete(host::hostCallback, makeTemepleteEditor))->getAeffect();
        effect->setParameter(effect, param::kShowStrips, 1.0F);
        for (const VstInt32 opcode : paths[path]) {
            if (opcode == kRefusedOpen)
                EXPECT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, nullptr, 0.0F), 0);
            else
                effect->dispatcher(effect, opcode, 0, 0, opcode == effEditOpen ? window : nullptr, 0.0F);
        }
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0F);
        EXPECT_EQ(CBitmap::liveCount(), before) << "path " << path;
    }
}

TEST_F(EditorPanel, FrontPanelsRenderToPng)
{
    effect->setParameter(param::kShowStrips, 1.0F);
    ASSERT_TRUE(open());
    const std::filesystem::path dir(EDITOR_SHOTS_DIR);
    std::filesystem::create_directories(dir);
    const char* names[] = {"front-vu.png", "front-rms.png", "front-ppm.png"};
    for (int meter = 0; meter < 3; ++meter) {
        effect->setParameter(param::kMeter, meter * 0.5F);
        feedSine(0.1, 1.0);  // only the selected meter measures
        editor->idle();
        const auto path = dir / names[meter];
        ASSERT_TRUE(renderToPng(*frame(), path.string())) << path;
        EXPECT_GT(std::filesystem::file_size(path), 10000u) << "a drawn panel, not an empty picture";
    }
    effect->setParameter(param::kShowFilters, 1.0F);
    effect->setParameter(param::kShowLabel, 1.0F);
    CView* process = shown().process;
    CPoint where = process->getViewSize().getCenter();
    process->localToFrame(where);
    frame()->onMouseMoved(where, CButtonState());  // a hint on the line
    const auto path = dir / "window-expanded.png";
    ASSERT_TRUE(renderToPng(*frame(), path.string()));
}

}  // namespace
