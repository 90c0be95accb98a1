// The editor of the built plug-in driven as a user drives it: mouse and
// keyboard events sent to its window inside a host-made parent on a private
// X server. Back panel open, knob drag and close with the stored global set;
// typed filter frequency, trim and tape label; the label through the chunk
// into a new instance and its editor.

#include <gtest/gtest.h>

#include "XvfbServer.h"

#include "core/HostChunk.h"
#include "core/ParameterIds.h"
#include "editor/EditorGeometry.h"
#include "platform/SettingsStore.h"
#include "tools/vsthost/PluginHost.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using toolkit_test::XvfbServer;

constexpr int kWidth = editor::kEditorWidth;
constexpr int kFullHeight = editor::kEditorMaxHeight;
constexpr int kFilterTop = editor::kFrontPanelHeight;
constexpr int kLabelTop = editor::kFrontPanelHeight + editor::kFilterStripHeight;
constexpr unsigned long kClickSpacingMs = 1000;  // far apart: never a double click

class EditorInput : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        library = host::PluginLibrary::open(VALDORA_PLUGIN_PATH, loadError);
        server = new XvfbServer();
    }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
        library.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(library) << loadError;
        host::hostState().reset();
        if (!server->isRunning())
            GTEST_SKIP() << "Xvfb is not available";
        setenv("DISPLAY", server->displayName().c_str(), 1);
        display = XOpenDisplay(server->displayName().c_str());
        ASSERT_NE(display, nullptr);
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kWidth, kFullHeight, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
        // Each test starts from the default settings: instances read the global set when made.
        std::remove(platform::settingsFilePath().c_str());
        plugin = newInstance();
        ASSERT_NE(plugin, nullptr);
    }
    void TearDown() override
    {
        plugin.reset();
        if (!display)
            return;
        XDestroyWindow(display, parent);
        XCloseDisplay(display);
    }

    // Process on (the filter and trim controls answer only then), every strip expanded.
    std::unique_ptr<host::Plugin> newInstance() const
    {
        AEffect* effect = library->instantiate();
        if (!effect)
            return nullptr;
        auto instance = std::make_unique<host::Plugin>(effect);
        instance->setParameter(param::kProcess, 1.0F);
        instance->setParameter(param::kShowFilters, 1.0F);
        instance->setParameter(param::kShowLabel, 1.0F);
        instance->setParameter(param::kShowStrips, 1.0F);
        return instance;
    }

    bool openEditor(host::Plugin& instance)
    {
        if (instance.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)) != 1)
            return false;
        idle(instance);
        child = childWindow();
        return child != 0;
    }

    void idle(host::Plugin& instance, int times = 4)
    {
        for (int i = 0; i < times; ++i) {
            XSync(display, False);
            instance.dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        XSync(display, False);
    }
    void idle() { idle(*plugin); }

    Window childWindow()
    {
        Window root = 0;
        Window up = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, parent, &root, &up, &children, &count);
        const Window found = count == 1 ? children[0] : 0;
        if (children)
            XFree(children);
        return found;
    }

    void sendButton(int type, int x, int y, unsigned int state)
    {
        XEvent event{};
        event.xbutton.type = type;
        event.xbutton.display = display;
        event.xbutton.window = child;
        event.xbutton.root = DefaultRootWindow(display);
        event.xbutton.time = eventTime;
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.button = Button1;
        event.xbutton.state = state;
        event.xbutton.same_screen = True;
        XSendEvent(display, child, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
        XFlush(display);
    }
    void sendMotion(int x, int y)
    {
        XEvent event{};
        event.xmotion.type = MotionNotify;
        event.xmotion.display = display;
        event.xmotion.window = child;
        event.xmotion.root = DefaultRootWindow(display);
        event.xmotion.time = eventTime;
        event.xmotion.x = x;
        event.xmotion.y = y;
        event.xmotion.state = Button1Mask;
        event.xmotion.same_screen = True;
        XSendEvent(display, child, True, PointerMotionMask | ButtonMotionMask, &event);
        XFlush(display);
    }

    void click(int x, int y)
    {
        eventTime += kClickSpacingMs;
        sendButton(ButtonPress, x, y, 0);
        sendButton(ButtonRelease, x, y, Button1Mask);
        idle();
    }
    void drag(int x, int y, int dx, int dy)
    {
        eventTime += kClickSpacingMs;
        sendButton(ButtonPress, x, y, 0);
        idle(*plugin, 1);
        constexpr int kSteps = 4;
        for (int step = 1; step <= kSteps; ++step) {
            sendMotion(x + dx * step / kSteps, y + dy * step / kSteps);
            idle(*plugin, 1);
        }
        sendButton(ButtonRelease, x + dx, y + dy, Button1Mask);
        idle();
    }

    // Keys go to whichever window holds the input focus, as the X server routes them.
    void type(const std::vector<KeySym>& keys)
    {
        for (KeySym sym : keys) {
            const bool upper = sym >= XK_A && sym <= XK_Z;
            XEvent event{};
            event.xkey.type = KeyPress;
            event.xkey.display = display;
            event.xkey.window = child;
            event.xkey.root = DefaultRootWindow(display);
            event.xkey.keycode = XKeysymToKeycode(display, sym);
            event.xkey.state = upper ? ShiftMask : 0;
            event.xkey.same_screen = True;
            XSendEvent(display, child, True, KeyPressMask, &event);
            event.xkey.type = KeyRelease;
            XSendEvent(display, child, True, KeyReleaseMask, &event);
        }
        XFlush(display);
        idle();
    }

    Window focusedWindow()
    {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        return focus;
    }

    std::vector<unsigned long> pixels(int left, int top, int width, int height)
    {
        std::vector<unsigned long> result;
        XImage* image = XGetImage(display, child, left, top, static_cast<unsigned int>(width),
                                  static_cast<unsigned int>(height), AllPlanes, ZPixmap);
        if (!image)
            return result;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                result.push_back(XGetPixel(image, x, y) & 0xffffff);
        XDestroyImage(image);
        return result;
    }

    // The tape's writing area, left of where the pen rests.
    std::vector<unsigned long> tapeText()
    {
        return pixels(editor::strip::kTapeLabel.left, kLabelTop + editor::strip::kTapeLabel.top, 380,
                      editor::strip::kTapeLabel.height());
    }

    static std::string chunkLabel(const std::vector<unsigned char>& chunk)
    {
        if (chunk.size() < static_cast<size_t>(HostChunk::kLabelOffset + HostChunk::kLabelSize))
            return "<short chunk>";
        const char* label = reinterpret_cast<const char*>(chunk.data()) + HostChunk::kLabelOffset;
        return std::string(label, strnlen(label, HostChunk::kLabelSize));
    }

    static std::unique_ptr<host::PluginLibrary> library;
    static std::string loadError;
    static XvfbServer* server;
    Display* display = nullptr;
    Window parent = 0;
    Window child = 0;
    unsigned long eventTime = 1;
    std::unique_ptr<host::Plugin> plugin;
};

std::unique_ptr<host::PluginLibrary> EditorInput::library;
std::string EditorInput::loadError;
XvfbServer* EditorInput::server = nullptr;

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
