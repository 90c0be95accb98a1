// The editor of the built plug-in driven as a user drives it: mouse and
// keyboard events sent to its window inside a host-made parent on a private
// X server. Back panel open, knob drag and close with the stored global set;
// typed filter frequency, trim and tape label; the label through the chunk
// into a new instance and its editor.

#include "EditorWindowFixture.h"

namespace {

using namespace editor_window_test;
using EditorInput = EditorWindow;

TEST_F(EditorInput, BackPanelOpensFromTheSelectorTurnsAKnobByDragAndStoresTheGlobalSetOnClose)
{
    plugin->setParameter(param::kMeter, 0.5F);  // RMS
    plugin->setParameter(param::kSettingsSource, 0.0F);  // global
    ASSERT_TRUE(openEditor(*plugin));
    const std::vector<unsigned long> front = pixels(0, 0, kWidth, editor::kFrontPanelHeight);

    click(editor::front::kMeterSelector.x + 149 / 2, editor::front::kMeterSelector.y + 11);
    EXPECT_NE(pixels(0, 0, kWidth, editor::kFrontPanelHeight), front) << "the back panel covers the front";

    constexpr int kIntegration = 74;
    const editor::back::Knob& knob = editor::back::kRmsKnobs[1];
    ASSERT_EQ(knob.tag, kIntegration);
    const float before = plugin->getParameter(kIntegration);
    const int knobX = knob.origin.x + editor::back::kKnobWidth / 2;
    const int knobY = knob.origin.y + editor::back::kKnobHeight / 2;
    drag(knobX, knobY, 40, 0);  // 200 pixels span the whole range
    const float turned = plugin->getParameter(kIntegration);
    EXPECT_NEAR(turned - before, 0.2F, 0.02F);

    click(350, 130);  // an empty place of the panel
    EXPECT_EQ(pixels(0, 0, kWidth, editor::kFrontPanelHeight), front) << "the front panel is back";
    const auto key = platform::SettingsKey::open(platform::kSettingsKeyPath);
    ASSERT_NE(key, nullptr);
    float stored = -1.0F;
    ASSERT_TRUE(key->query("ARMSRmsIntegration", &stored, sizeof stored));
    EXPECT_FLOAT_EQ(stored, turned);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorInput, TypedFilterFrequencyWithTheKeyboard)
{
    ASSERT_TRUE(openEditor(*plugin));
    const float value = plugin->getParameter(param::kHighPassFrequency);
    const int textLeft = static_cast<int>(editor::strip::kFrequencyTextTravel * value + editor::strip::kHighPassTextOffset);
    const std::string before = plugin->parameterDisplay(param::kHighPassFrequency);
    click(textLeft + editor::strip::kFrequencyTextWidth / 2, kFilterTop + editor::strip::kFrequencyTextHeight / 2);
    EXPECT_EQ(focusedWindow(), child) << "editing takes the keyboard focus";

    type({XK_1, XK_k, XK_5, XK_Return});
    EXPECT_EQ(focusedWindow(), parent) << "the focus goes back to the host";
    EXPECT_NE(plugin->parameterDisplay(param::kHighPassFrequency), before);
    EXPECT_EQ(plugin->parameterDisplay(param::kHighPassFrequency), "1k5");
    EXPECT_GE(host::hostState().count(audioMasterAutomate), 1);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorInput, TrimTextTypedCommitsOnReturnAndEscapeKeepsTheValue)
{
    ASSERT_TRUE(openEditor(*plugin));
    const editor::Rect& trim = editor::front::kTrimText;
    const int x = (trim.left + trim.right) / 2;
    const int y = (trim.top + trim.bottom) / 2;

    click(x, y);
    EXPECT_EQ(focusedWindow(), child);
    type({XK_minus, XK_6, XK_Return});
    EXPECT_NEAR(plugin->getParameter(param::kTrim), 14.0F / 40.0F, 1e-4F);  // -6 dB of +-20

    click(x, y);
    type({XK_9, XK_Escape});
    EXPECT_NEAR(plugin->getParameter(param::kTrim), 14.0F / 40.0F, 1e-4F);
    EXPECT_EQ(focusedWindow(), parent);

    type({XK_1, XK_Return});  // no field open: keys change nothing
    EXPECT_NEAR(plugin->getParameter(param::kTrim), 14.0F / 40.0F, 1e-4F);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorInput, TypedTapeLabelTravelsThroughTheChunkIntoANewInstanceAndItsEditor)
{
    ASSERT_TRUE(openEditor(*plugin));
    const std::vector<unsigned long> blank = tapeText();
    click(200, kLabelTop + editor::strip::kTapeLabel.height() / 2);
    EXPECT_EQ(focusedWindow(), child);
    type({XK_M, XK_i, XK_x, XK_space, XK_2, XK_Return});
    idle(*plugin, 80);  // the pen finishes writing
    const std::vector<unsigned long> written = tapeText();
    EXPECT_NE(written, blank);

    const std::vector<unsigned char> chunk = plugin->getChunk();
    EXPECT_EQ(chunkLabel(chunk), "Mix 2");
    plugin->dispatch(effEditClose);
    plugin.reset();

    std::unique_ptr<host::Plugin> restored = newInstance();
    ASSERT_NE(restored, nullptr);
    restored->setChunk(chunk);
    EXPECT_EQ(chunkLabel(restored->getChunk()), "Mix 2");
    ASSERT_TRUE(openEditor(*restored));
    idle(*restored, 80);
    EXPECT_EQ(tapeText(), written) << "the label bar shows the restored label";
    restored->dispatch(effEditClose);
}

}  // namespace
