// The strip bars offscreen: the frequency texts riding their handles and
// taking typed frequencies, the filter controls following PROCESS, the tape
// label's text landing in the effect and its chunk, the lag time's host
// latency double click, and renders of every bar.

#include "PanelTestSupport.h"

#include "base/ParameterIds.h"
#include "controls/CMyTextEdit.h"
#include "controls/COnOffButtonH.h"
#include "controls/CQORHorizontalSwitch.h"
#include "controls/CQORLatencyControl.h"
#include "controls/CQOROnOffButton.h"
#include "controls/CQORSlider.h"
#include "controls/CQORTapeLabel.h"
#include "core/HostChunk.h"
#include "toolkit/CViewContainer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

using namespace VSTGUI;
using paneltest::Bench;

struct Strips {
    Strips() : filters(&bench.effect, &bench.router), labels(&bench.effect, &bench.router)
    {
        bench.router.filters = &filters;
        bench.router.labels = &labels;
        filters.open(bench.frame);
        labels.open(bench.frame);
    }
    ~Strips()
    {
        bench.router.filters = nullptr;
        bench.router.labels = nullptr;
        filters.close();
        labels.close();
    }
    void expandBoth(int meter)
    {
        filters.showExpanded(CPoint(0, 169), meter);
        labels.showExpanded(CPoint(0, 169 + 53), meter);
    }
    std::string display(VstInt32 index)
    {
        char text[64] = "";
        bench.effect.getParameterDisplay(index, text);
        return text;
    }

    Bench bench;
    StripFiltersSafeEditor filters;
    StripLabelSafeEditor labels;
};

float highPassX(double hertz) { return static_cast<float>(std::log(hertz / 20.0) / std::log(100.0)); }
float lowPassX(double hertz) { return static_cast<float>(std::log(hertz / 300.0) / std::log(100.0)); }

TEST(FrequencyText, TypedHighPassFrequencies)
{
    EXPECT_NEAR(StripFiltersEditor::highPassValueForText("1k5"), highPassX(1500), 1e-6);
    EXPECT_NEAR(StripFiltersEditor::highPassValueForText("1500"), highPassX(1500), 1e-6);
    EXPECT_NEAR(StripFiltersEditor::highPassValueForText("150"), highPassX(150), 1e-6);
    EXPECT_NEAR(StripFiltersEditor::highPassValueForText("1.2kHz"), highPassX(1200), 1e-6);
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueForText("2k"), 1.f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueForText("20"), 0.f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueForText("5"), 0.f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueForText("-300"), 0.f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueForText("0"), 0.f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueForText("nan"), 0.f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueForText(""), 0.f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueForText(nullptr), 0.f);
}

TEST(FrequencyText, TypedLowPassFrequenciesReadSmallNumbersAsKilohertz)
{
    EXPECT_NEAR(StripFiltersEditor::lowPassValueForText("12k5"), lowPassX(12500), 1e-6);
    EXPECT_NEAR(StripFiltersEditor::lowPassValueForText("3kHz"), lowPassX(3000), 1e-6);
    EXPECT_NEAR(StripFiltersEditor::lowPassValueForText("12"), lowPassX(12000), 1e-6);
    EXPECT_NEAR(StripFiltersEditor::lowPassValueForText("0.3"), lowPassX(300), 1e-6);
    EXPECT_NEAR(StripFiltersEditor::lowPassValueForText("30"), lowPassX(30000), 1e-6);
    EXPECT_NEAR(StripFiltersEditor::lowPassValueForText("3000"), lowPassX(3000), 1e-6);
    EXPECT_FLOAT_EQ(StripFiltersEditor::lowPassValueForText("0.2"), 0.f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::lowPassValueForText("40000"), 1.f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::lowPassValueForText("-12"), 0.f);
}

TEST(FilterStrip, FrequencyTextsRideTheirHandles)
{
    Strips s;
    s.expandBoth(1);
    StripFiltersEditor* bar = s.filters.getBar(1, true);
    s.bench.effect.setParameterAutomated(param::kHighPassFrequency, 0.25f);
    EXPECT_EQ(bar->getHighPassText()->getViewSize(), CRect(81, 0, 123, 15));
    EXPECT_EQ(bar->getHighPassText()->getText(), s.display(param::kHighPassFrequency));
    EXPECT_FLOAT_EQ(bar->getHighPassSlider()->getValue(), 0.25f);
    s.bench.effect.setParameterAutomated(param::kLowPassFrequency, 1.f);
    EXPECT_EQ(bar->getLowPassText()->getViewSize(), CRect(454, 0, 496, 15));
    // Bars not on screen follow as well.
    StripFiltersEditor* other = s.filters.getBar(2, true);
    EXPECT_EQ(other->getHighPassText()->getViewSize(), CRect(81, 0, 123, 15));
    EXPECT_FLOAT_EQ(other->getLowPassSlider()->getValue(), 1.f);
}

TEST(FilterStrip, TypedTextSetsTheFrequencyAndComesBackFormatted)
{
    Strips s;
    s.expandBoth(0);
    StripFiltersEditor* bar = s.filters.getBar(0, true);
    bar->getHighPassText()->setText("1500");
    s.bench.router.valueChanged(bar->getHighPassText());
    EXPECT_NEAR(s.bench.effect.getParameter(param::kHighPassFrequency), highPassX(1500), 1e-5);
    EXPECT_STREQ(bar->getHighPassText()->getText(), "1k5");
    const int left = static_cast<int>(144 * s.bench.effect.getParameter(param::kHighPassFrequency) + 45);
    EXPECT_EQ(bar->getHighPassText()->getViewSize().left, left);

    bar->getLowPassText()->setText("12");
    s.bench.router.valueChanged(bar->getLowPassText());
    EXPECT_NEAR(s.bench.effect.getParameter(param::kLowPassFrequency), lowPassX(12000), 1e-5);
    EXPECT_EQ(bar->getLowPassText()->getText(), s.display(param::kLowPassFrequency));
}

TEST(FilterStrip, ControlChangesAreIgnoredWhileTheBarIsNotOnScreen)
{
    Strips s;
    s.expandBoth(0);
    StripFiltersEditor* hidden = s.filters.getBar(1, true);
    ASSERT_FALSE(hidden->isShown());
    const float before = s.bench.effect.getParameter(param::kHighPassStatus);
    hidden->getHighPassOn()->setValue(before > 0.5f ? 0.f : 1.f);
    hidden->valueChanged(hidden->getHighPassOn());
    EXPECT_FLOAT_EQ(s.bench.effect.getParameter(param::kHighPassStatus), before);

    StripFiltersEditor* shown = s.filters.getBar(0, true);
    shown->getHighPassOn()->setValue(before > 0.5f ? 0.f : 1.f);
    s.bench.router.valueChanged(shown->getHighPassOn());
    EXPECT_NE(s.bench.effect.getParameter(param::kHighPassStatus), before);
    EXPECT_FLOAT_EQ(hidden->getHighPassOn()->getValue(), s.bench.effect.getParameter(param::kHighPassStatus));
}

TEST(FilterStrip, FilterControlsAreInactiveWhileProcessIsOffInEveryFormAndMeter)
{
    Strips s;
    for (float process : {0.f, 1.f}) {
        s.bench.effect.setParameter(param::kProcess, process);
        s.filters.setProcessActive(process);
        const int32_t expected = process > 0.5f ? 1 : 0;
        for (int meter = 0; meter < 3; ++meter) {
            SCOPED_TRACE(meter);
            StripFiltersEditor* compact = s.filters.getBar(meter, false);
            EXPECT_EQ(compact->getFilterInOut()->getActive(), expected);
            StripFiltersEditor* bar = s.filters.getBar(meter, true);
            EXPECT_EQ(bar->getFilterInOut()->getActive(), expected);
            EXPECT_EQ(bar->getHighPassSlider()->getActive(), expected);
            EXPECT_EQ(bar->getLowPassSlider()->getActive(), expected);
            EXPECT_EQ(bar->getHighPassText()->getActive(), expected);
            EXPECT_EQ(bar->getLowPassText()->getActive(), expected);
            EXPECT_EQ(bar->getHighPassOn()->getActive(), expected);
            EXPECT_EQ(bar->getLowPassOn()->getActive(), expected);
            EXPECT_EQ(bar->getHighPassSlope()->getActive(), expected);
            EXPECT_EQ(bar->getLowPassSlope()->getActive(), expected);
        }
    }
}

TEST(FilterStrip, WithProcessOffAClickMovesNoFilterControlButOpenCloseStillWorks)
{
    Strips s;
    s.bench.effect.setParameter(param::kProcess, 0.f);
    s.bench.effect.setParameter(param::kShowFilters, 1.f);
    s.filters.setProcessActive(0.f);
    s.expandBoth(2);
    const float status = s.bench.effect.getParameter(param::kHighPassStatus);
    s.bench.click(16 + 10, 169 + 20 + 6);
    EXPECT_FLOAT_EQ(s.bench.effect.getParameter(param::kHighPassStatus), status);
    s.bench.click(574 + 5, 169 + 5);
    EXPECT_FLOAT_EQ(s.bench.effect.getParameter(param::kShowFilters), 0.f);
}

TEST(FilterStrip, HolderShowsOneBarOfTheMeterAndForm)
{
    Strips s;
    EXPECT_EQ(s.filters.getCurrentMeter(), -1);
    s.filters.showCompact(CPoint(0, 169), 1);
    int attached = 0;
    for (int meter = 0; meter < 3; ++meter)
        for (bool expanded : {false, true})
            attached += s.bench.frame->isChild(s.filters.getBar(meter, expanded)->getContainer()) ? 1 : 0;
    EXPECT_EQ(attached, 1);
    EXPECT_TRUE(s.filters.getBar(1, false)->isShown());
    EXPECT_EQ(s.filters.getBar(1, false)->getContainer()->getViewSize(), CRect(0, 169, 586, 182));
    s.filters.showExpanded(CPoint(0, 169), 5);
    for (int meter = 0; meter < 3; ++meter)
        EXPECT_FALSE(s.filters.getBar(meter, true)->isShown() || s.filters.getBar(meter, false)->isShown());
}

TEST(LabelStrip, EditedLabelIsCutAndLandsInTheEffectAndItsChunk)
{
    Strips s;
    s.expandBoth(0);
    CQORTapeLabel* tape = s.labels.getBar(0, true)->getTapeLabel();
    ASSERT_NE(tape, nullptr);
    const std::string fifty = "Lead vocal, second take, through the old compress";
    ASSERT_EQ(fifty.size(), 49u);
    tape->setText((fifty + "X").c_str());
    s.bench.router.valueChanged(tape);
    const std::string kept = fifty.substr(0, 38);
    EXPECT_EQ(std::string(s.bench.effect.stripLabel()), kept);
    // Every bar shows the new text, also the ones not on screen.
    EXPECT_EQ(std::string(s.labels.getBar(2, true)->getTapeLabel()->getText()), kept);

    void* data = nullptr;
    const VstInt32 size = s.bench.effect.getChunk(&data, false);
    ASSERT_EQ(size, HostChunk::kSize);
    const char* label = static_cast<const char*>(data) + HostChunk::kLabelOffset;
    EXPECT_EQ(std::string(label, strnlen(label, HostChunk::kLabelSize)), kept);
}

TEST(LabelStrip, LagTimeDoubleClickTakesTheHostLatency)
{
    Strips s;
    s.expandBoth(1);
    ASSERT_NEAR(s.bench.effect.outputLatencySec(), 0.1, 1e-9);
    CQORLatencyControl* lag = s.labels.getBar(1, true)->getLagTime();
    ASSERT_NE(lag, nullptr);
    EXPECT_EQ(lag->getViewSize(), CRect(541, 1, 567, 41));
    s.bench.click(541 + 13, 169 + 53 + 1 + 20, kLButton | kDoubleClick);
    EXPECT_NEAR(s.bench.effect.getParameter(param::kLagTime), 0.1 * 1.001001, 1e-6);
    EXPECT_FALSE(lag->wasDoubleClicked());
    EXPECT_EQ(lag->getMilliseconds(), 100);
    // Other bars follow the lag time too.
    EXPECT_EQ(s.labels.getBar(0, true)->getLagTime()->getMilliseconds(), 100);
}

TEST(LabelStrip, IdleRunsOnlyTheExpandedBarOnScreen)
{
    Strips s;
    s.labels.showCompact(CPoint(0, 182), 0);
    s.labels.idle();  // no expanded bar: nothing to animate, nothing to crash
    s.labels.showExpanded(CPoint(0, 182), 0);
    CQORTapeLabel* tape = s.labels.getBar(0, true)->getTapeLabel();
    EXPECT_EQ(tape->getAnimationStep(), 0);
    s.labels.idle();
    EXPECT_EQ(tape->getAnimationStep(), 0);  // not being typed: the pen rests
}

TEST(StripRender, EveryBarOfEveryMeter)
{
    const char* names[] = {"vu", "rms", "ppm"};
    for (int meter = 0; meter < 3; ++meter) {
        Strips s;
        s.bench.effect.setParameter(param::kProcess, 1.f);
        s.filters.setProcessActive(1.f);
        s.bench.effect.setParameterAutomated(param::kProcessFilters, 1.f);
        s.bench.effect.setParameterAutomated(param::kHighPassStatus, 1.f);
        s.bench.effect.setParameterAutomated(param::kHighPassFrequency, 0.3f);
        s.expandBoth(meter);
        EXPECT_TRUE(s.bench.render(std::string("strips-expanded-") + names[meter]));
        s.filters.showCompact(CPoint(0, 169), meter);
        s.labels.showCompact(CPoint(0, 182), meter);
        EXPECT_TRUE(s.bench.render(std::string("strips-compact-") + names[meter]));
        // The expanded bars' place below the compact ones is repainted empty.
        const CColor below = s.bench.frame->getBackBuffer().getPixel(300, 230);
        EXPECT_LT(below.red + below.green + below.blue, 10);
    }
}

}  // namespace
