// The back panels and the strip bars inside the real editor, offscreen: the
// meter selector's middle opens the shown meter's back panel, an empty place
// closes it and stores the global set, and the strips' layout places the bars
// of the shown meter at every window height.

#include "base/ParameterIds.h"
#include "controls/CQORCalibrationControl.h"
#include "controls/CQORSlider.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "editor/BackPanel.h"
#include "editor/CQORBackPanelContainer.h"
#include "editor/CQORMeterFULLPANEL.h"
#include "editor/StripFiltersSafeEditor.h"
#include "editor/StripLabelSafeEditor.h"
#include "editor/TemepleteEditor.h"
#include "meters/SettingsSource.h"
#include "platform/SettingsStore.h"
#include "toolkit/CFrame.h"
#include "toolkit/CMovieBitmap.h"
#include "toolkit/OffscreenRender.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace VSTGUI;

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

class EditorWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor = dynamic_cast<TemepleteEditor*>(effect.getEditor());
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->openOffscreen());
        frame = editor->getFrame();
    }
    void TearDown() override
    {
        if (editor)
            editor->close();
        SettingsSource::setCurrent(SettingsSource::kSession);
    }
    void click(int x, int y)
    {
        CPoint where(x, y);
        frame->onMouseDown(where, CButtonState(kLButton));
        CPoint up(x, y);
        frame->onMouseUp(up, CButtonState(kLButton));
    }
    bool render(const std::string& name)
    {
        const std::string folder = std::string(VALDORA_BINARY_DIR) + "/test-renders";
        if (std::system(("mkdir -p '" + folder + "'").c_str()) != 0)
            return false;
        return renderToPng(*frame, folder + "/" + name + ".png");
    }

    Templete effect{quietHost, &makeTemepleteEditor};
    TemepleteEditor* editor = nullptr;
    CFrame* frame = nullptr;
};

TEST_F(EditorWiring, MeterSelectorMiddleOpensTheBackPanelAndAnEmptyPlaceClosesAndStores)
{
    effect.setParameter(param::kMeter, 0.5f);  // RMS
    effect.setParameter(param::kSettingsSource, 0.f);
    std::remove(platform::settingsFilePath().c_str());
    BackPanel* panel = editor->getPanel(1)->getBackPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(editor->getPanel(0)->getBackPanel()->getControl(83) != nullptr, true);

    click(195 + 149 / 2, 144 + 11);
    ASSERT_TRUE(panel->isShown());
    EXPECT_EQ(frame->getView(frame->getNbViews() - 1), panel->getContainer()) << "on top of everything";
    EXPECT_TRUE(render("editor-backpanel-rms"));

    // A knob of the panel edits its setting through the effect.
    effect.setParameter(74, 0.2f);
    EXPECT_FLOAT_EQ(panel->getControl(74)->getValue(), 0.2f);

    click(350, 130);
    EXPECT_FALSE(panel->isShown());
    EXPECT_FALSE(frame->isChild(panel->getContainer()));
    const auto key = platform::SettingsKey::open(platform::kSettingsKeyPath);
    ASSERT_NE(key, nullptr);
    float stored = -1.f;
    ASSERT_TRUE(key->query("ARMSRmsIntegration", &stored, sizeof stored));
    EXPECT_FLOAT_EQ(stored, 0.2f);
}

TEST_F(EditorWiring, StripBarsFollowTheLayoutAtAllFiveHeightsInTheShownMetersColours)
{
    struct Case {
        float strips, filters, label;
        int height;
    };
    const Case cases[] = {
        {0, 0, 0, 169}, {1, 0, 0, 195}, {1, 1, 0, 235}, {1, 0, 1, 221}, {1, 1, 1, 261},
    };
    effect.setParameter(param::kMeter, 1.f);  // PPM
    StripFiltersSafeEditor* filters = editor->getFilterStrip();
    StripLabelSafeEditor* labels = editor->getLabelStrip();
    ASSERT_NE(filters, nullptr);
    ASSERT_NE(labels, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        effect.setParameter(param::kShowFilters, c.filters);
        effect.setParameter(param::kShowLabel, c.label);
        effect.setParameter(param::kShowStrips, c.strips);
        EXPECT_EQ(editor->getHeight(), c.height);
        int attached = 0;
        for (int meter = 0; meter < 3; ++meter)
            for (bool expanded : {false, true}) {
                attached += filters->getBar(meter, expanded)->isShown() ? 1 : 0;
                attached += labels->getBar(meter, expanded)->isShown() ? 1 : 0;
            }
        if (c.strips == 0) {
            EXPECT_EQ(attached, 0);
            continue;
        }
        EXPECT_EQ(attached, 2);
        StripFiltersEditor* filterBar = filters->getBar(2, c.filters > 0.5f);
        StripLabelEditor* labelBar = labels->getBar(2, c.label > 0.5f);
        ASSERT_TRUE(filterBar->isShown());
        ASSERT_TRUE(labelBar->isShown());
        EXPECT_EQ(filterBar->getContainer()->getViewSize().top, 169);
        EXPECT_EQ(labelBar->getContainer()->getViewSize().top, 169 + filterBar->getHeight());
        EXPECT_EQ(labelBar->getContainer()->getViewSize().bottom, c.height);
    }
    EXPECT_TRUE(render("editor-strips-ppm"));

    // Another meter brings its own bars in the same forms.
    effect.setParameter(param::kMeter, 0.f);
    EXPECT_TRUE(filters->getBar(0, true)->isShown());
    EXPECT_FALSE(filters->getBar(2, true)->isShown());
    EXPECT_TRUE(labels->getBar(0, true)->isShown());
    EXPECT_TRUE(render("editor-strips-vu"));
}

TEST_F(EditorWiring, TheCalibrationSentenceIsSeenOnceWithOrWithoutStrips)
{
    effect.setParameter(param::kMeter, 0.5f);
    BackPanel* panel = editor->getPanel(1)->getBackPanel();
    effect.setParameter(param::kShowStrips, 0.f);
    click(195 + 149 / 2, 144 + 11);
    ASSERT_TRUE(panel->isShown());
    // Beside the selector only: the line in the strip area lies below the window.
    EXPECT_EQ(panel->getCalibrationSelector()->getViewSize().getWidth(), 581);
    EXPECT_EQ(frame->getViewSize().getHeight(), 169);
    EXPECT_GE(panel->getCalibrationSentence()->getViewSize().top, frame->getViewSize().bottom);
    click(350, 130);

    effect.setParameter(param::kShowStrips, 1.f);
    click(195 + 149 / 2, 144 + 11);
    ASSERT_TRUE(panel->isShown());
    // The selector keeps only its letters; the sentence is the strip area's line.
    EXPECT_EQ(panel->getCalibrationSelector()->getViewSize().getWidth(), 86);
    EXPECT_LE(panel->getCalibrationSentence()->getViewSize().bottom, frame->getViewSize().bottom);
}

TEST_F(EditorWiring, AMeterChangeWhileABackPanelIsOpenLeavesNoPanelCovering)
{
    effect.setParameter(param::kMeter, 0.f);
    BackPanel* vuPanel = editor->getPanel(0)->getBackPanel();
    click(195 + 149 / 2, 144 + 11);
    ASSERT_TRUE(vuPanel->isShown());
    effect.setParameterAutomated(param::kMeter, 1.f);  // automation to PPM
    EXPECT_FALSE(vuPanel->isShown());
    EXPECT_FALSE(frame->isChild(vuPanel->getContainer()));
    // The PPM selector's middle now opens the PPM panel, not the VU one.
    click(195 + 149 / 2, 144 + 11);
    EXPECT_TRUE(editor->getPanel(2)->getBackPanel()->isShown());
    EXPECT_FALSE(vuPanel->isShown());
}

TEST_F(EditorWiring, FilterControlsFollowProcessThroughTheEditor)
{
    effect.setParameter(param::kShowStrips, 1.f);
    effect.setParameter(param::kShowFilters, 1.f);
    effect.setParameterAutomated(param::kProcess, 0.f);
    EXPECT_EQ(editor->getFilterStrip()->getBar(1, true)->getHighPassSlider()->getActive(), 0);
    effect.setParameterAutomated(param::kProcess, 1.f);
    EXPECT_EQ(editor->getFilterStrip()->getBar(1, true)->getHighPassSlider()->getActive(), 1);
}

}  // namespace
