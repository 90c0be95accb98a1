// The editor of the built plug-in on a dense desktop (Xft.dpi 192 on a
// private X server): the window and the host's size calls are twice the
// editor's sizes, clicks at twice the positions reach the same controls, and
// the user's stored scale wins over the desktop.

#include "EditorWindowFixture.h"

#include "platform/EditorScale.h"

#include <X11/Xatom.h>

#include <cmath>

namespace {

using namespace editor_window_test;

class DenseDesktop : public EditorWindow {
protected:
    void SetUp() override
    {
        EditorWindow::SetUp();
        if (display)
            setDesktopDpi(192);
    }
    void TearDown() override
    {
        if (display)
            XDeleteProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER);
        unsetenv("GDK_SCALE");
        EditorWindow::TearDown();
    }

    // What xrdb does: the resource string on the root window, read by every
    // client when it connects.
    void setDesktopDpi(int dpi)
    {
        const std::string resources = "Xft.antialias:\t1\nXft.dpi:\t" + std::to_string(dpi) + "\n";
        XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(resources.c_str()),
                        static_cast<int>(resources.size()));
        XSync(display, False);
    }

    // The editor rectangle the host is told, as width and height.
    std::pair<int, int> reportedSize()
    {
        ERect* rect = nullptr;
        plugin->dispatch(effEditGetRect, 0, 0, &rect);
        if (!rect)
            return {0, 0};
        return {rect->right - rect->left, rect->bottom - rect->top};
    }
    std::pair<int, int> windowSize()
    {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, child, &attributes);
        return {attributes.width, attributes.height};
    }
    std::pair<int, int> lastSizeRequest() const
    {
        for (auto it = host::hostState().calls.rbegin(); it != host::hostState().calls.rend(); ++it)
            if (it->opcode == audioMasterSizeWindow)
                return {it->index, static_cast<int>(it->value)};
        return {0, 0};
    }
};

TEST_F(DenseDesktop, WindowAndHostSizesAreTwiceTheEditorsAtEveryStripCombination)
{
    struct Case {
        float strips, filters, label;
        int height;
    };
    const Case cases[] = {{1, 1, 1, 261}, {0, 1, 1, 169}, {1, 0, 0, 195}, {1, 0, 1, 221}, {1, 1, 0, 235}};
    constexpr int kHeightBeforeOpening = 195;
    ASSERT_EQ(reportedSize(), std::make_pair(2 * kWidth, 2 * kHeightBeforeOpening)) << "asked before opening";
    ASSERT_TRUE(openEditor(*plugin));
    for (const Case& c : cases) {
        plugin->setParameter(param::kShowFilters, c.filters);
        plugin->setParameter(param::kShowLabel, c.label);
        plugin->setParameter(param::kShowStrips, c.strips);
        idle();
        const std::pair<int, int> expected{2 * kWidth, 2 * c.height};
        EXPECT_EQ(reportedSize(), expected) << "height " << c.height;
        EXPECT_EQ(windowSize(), expected) << "height " << c.height;
        EXPECT_EQ(lastSizeRequest(), expected) << "height " << c.height;
    }
    plugin->dispatch(effEditClose);
}

TEST_F(DenseDesktop, ClicksAndDragsAtTwiceThePositionDoWhatTheyDoAtScaleOne)
{
    // Each gesture in editor coordinates; at scale 2 the events carry twice them.
    struct Case {
        const char* what;
        int x, y, dx, dy;
        bool openBackPanel;
        int parameter;
    };
    const editor::back::Knob& knob = editor::back::kRmsKnobs[1];
    const int trimY = static_cast<int>(editor::front::trimHandleCentreY(0.5));
    const Case cases[] = {
        {"PROCESS", editor::front::kProcessButton.x + 20, editor::front::kProcessButton.y + 10, 0, 0, false,
         param::kProcess},
        {"meter selector, right arrow",
         editor::front::kMeterSelector.x + 149 - editor::front::kMeterSelectorArrowWidth / 2,
         editor::front::kMeterSelector.y + 11, 0, 0, false, param::kMeter},
        {"trim drag", (editor::front::kTrimSlider.left + editor::front::kTrimSlider.right) / 2, trimY, 0, -20, false,
         param::kTrim},
        {"back panel knob drag", knob.origin.x + editor::back::kKnobWidth / 2,
         knob.origin.y + editor::back::kKnobHeight / 2, 40, 0, true, knob.tag},
    };
    auto gesture = [this](const Case& c, int scale) {
        std::remove(platform::settingsFilePath().c_str());
        if (scale == 1)
            platform::SettingsKey::create(platform::kSettingsKeyPath)->setString(platform::kEditorScaleValueName, "1");
        plugin = newInstance();
        plugin->setParameter(param::kTrim, 0.5F);
        plugin->setParameter(param::kMeter, c.openBackPanel ? 0.5F : 0.0F);  // the RMS panel's knob
        if (!openEditor(*plugin))
            return -10.0F;
        if (c.openBackPanel)
            click(scale * (editor::front::kMeterSelector.x + 149 / 2), scale * (editor::front::kMeterSelector.y + 11));
        const float before = plugin->getParameter(c.parameter);
        if (c.dx == 0 && c.dy == 0)
            click(scale * c.x, scale * c.y);
        else
            drag(scale * c.x, scale * c.y, scale * c.dx, scale * c.dy);
        const float change = plugin->getParameter(c.parameter) - before;
        plugin->dispatch(effEditClose);
        return change;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const float atOne = gesture(c, 1);
        ASSERT_GT(std::fabs(atOne), 0.01F) << "the gesture does something at scale 1";
        EXPECT_NEAR(gesture(c, 2), atOne, 0.01F);
    }
}

TEST_F(DenseDesktop, TheStoredScaleWinsOverTheDesktop)
{
    struct Case {
        const char* stored;  // null: no stored value
        int dpi;
        const char* gdkScale;  // null: unset
        int width;
    };
    const Case cases[] = {
        {"1", 192, nullptr, kWidth},          {"auto", 192, nullptr, 2 * kWidth}, {"1.5", 96, nullptr, 879},
        {nullptr, 144, nullptr, 879},         {nullptr, 96, "2", 2 * kWidth},    {"1", 96, "2", kWidth},
        {"bogus", 96, nullptr, kWidth},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored ? c.stored : "-") + " at " + std::to_string(c.dpi) + " dpi");
        std::remove(platform::settingsFilePath().c_str());
        if (c.stored)
            platform::SettingsKey::create(platform::kSettingsKeyPath)
                ->setString(platform::kEditorScaleValueName, c.stored);
        setDesktopDpi(c.dpi);
        if (c.gdkScale)
            setenv("GDK_SCALE", c.gdkScale, 1);
        else
            unsetenv("GDK_SCALE");
        plugin = newInstance();
        ASSERT_TRUE(openEditor(*plugin));
        EXPECT_EQ(windowSize().first, c.width);
        EXPECT_EQ(reportedSize().first, c.width);
        plugin->dispatch(effEditClose);
    }
}

}  // namespace
