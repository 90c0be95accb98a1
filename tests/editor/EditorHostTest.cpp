// The editor through the built plug-in, as a host drives it: the editor
// flag and rectangle, open into a window of a private X server, idle
// drawing, resizing through the host and the parent window, and close.

#include <gtest/gtest.h>

#include "XvfbServer.h"

#include "tools/vsthost/PluginHost.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <thread>

namespace {

using toolkit_test::XvfbServer;

constexpr int kWidth = 586;
constexpr VstInt32 kMeter = 3;
constexpr VstInt32 kStrips = 6;
constexpr VstInt32 kShowFilters = 7;
constexpr VstInt32 kShowLabel = 15;

class EditorHost : public ::testing::Test {
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
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kWidth, 195, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
        AEffect* effect = library->instantiate();
        ASSERT_NE(effect, nullptr);
        plugin = std::make_unique<host::Plugin>(effect);
        plugin->setParameter(kMeter, 0.0F);
    }
    void TearDown() override
    {
        plugin.reset();
        if (!display)
            return;
        XDestroyWindow(display, parent);
        XCloseDisplay(display);
    }

    int rectHeight() const
    {
        ERect* rect = nullptr;
        if (plugin->dispatch(effEditGetRect, 0, 0, &rect) != 1 || !rect)
            return -1;
        EXPECT_EQ(rect->right - rect->left, kWidth);
        return rect->bottom - rect->top;
    }

    void idle(int times = 4)
    {
        for (int i = 0; i < times; ++i) {
            XSync(display, False);
            plugin->dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        XSync(display, False);
    }

    XWindowAttributes attributes(Window window)
    {
        XWindowAttributes a{};
        XGetWindowAttributes(display, window, &a);
        return a;
    }

    Window childWindow()
    {
        Window root = 0;
        Window up = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, parent, &root, &up, &children, &count);
        const Window child = count == 1 ? children[0] : 0;
        if (children)
            XFree(children);
        return child;
    }

    // Distinct colours along one row of the child window: a drawn panel has
    // many, an undrawn window one.
    size_t coloursInRow(Window window, int y)
    {
        XImage* image = XGetImage(display, window, 0, y, kWidth, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        std::set<unsigned long> colours;
        for (int x = 0; x < kWidth; ++x)
            colours.insert(XGetPixel(image, x, 0) & 0xffffff);
        XDestroyImage(image);
        return colours.size();
    }

    const host::HostState::Call* lastSizeCall() const
    {
        const host::HostState::Call* found = nullptr;
        for (const auto& call : host::hostState().calls)
            if (call.opcode == audioMasterSizeWindow)
                found = &call;
        return found;
    }

    void setStrips(float strips, float filters, float label)
    {
        plugin->setParameter(kShowFilters, filters);
        plugin->setParameter(kShowLabel, label);
        plugin->setParameter(kStrips, strips);
    }

    static std::unique_ptr<host::PluginLibrary> library;
    static std::string loadError;
    static XvfbServer* server;
    Display* display = nullptr;
    Window parent = 0;
    std::unique_ptr<host::Plugin> plugin;
};

std::unique_ptr<host::PluginLibrary> EditorHost::library;
std::string EditorHost::loadError;
XvfbServer* EditorHost::server = nullptr;

TEST_F(EditorHost, AnnouncesAnEditorOf586By195BeforeTheFirstOpen)
{
    EXPECT_TRUE(plugin->hasFlag(effFlagsHasEditor));
    EXPECT_EQ(rectHeight(), 195);
    EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, nullptr), 0) << "no window, no editor";
    plugin->dispatch(effEditIdle);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorHost, RectangleFollowsEveryStripCombinationOnOpen)
{
    struct Case {
        float strips, filters, label;
        int height;
    };
    const Case cases[] = {{0, 0, 0, 169}, {0, 1, 1, 169}, {1, 0, 0, 195},
                          {1, 0, 1, 221}, {1, 1, 0, 235}, {1, 1, 1, 261}};
    for (const Case& c : cases) {
        setStrips(c.strips, c.filters, c.label);
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        EXPECT_EQ(rectHeight(), c.height) << c.strips << c.filters << c.label;
        idle(2);
        EXPECT_EQ(attributes(childWindow()).height, c.height);
        plugin->dispatch(effEditClose);
    }
}

TEST_F(EditorHost, OpensAsAChildWindowAndDrawsInIdle)
{
    setStrips(1, 0, 0);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    idle();
    const Window child = childWindow();
    ASSERT_NE(child, 0u);
    const XWindowAttributes a = attributes(child);
    EXPECT_EQ(a.width, kWidth);
    EXPECT_EQ(a.height, 195);
    EXPECT_EQ(a.map_state, IsViewable);
    EXPECT_GT(coloursInRow(child, 60), 20u) << "the meter faces are drawn";
    EXPECT_GT(coloursInRow(child, 155), 10u) << "the control row is drawn";

    plugin->dispatch(effEditClose);
    XSync(display, False);
    EXPECT_EQ(childWindow(), 0u) << "close takes the window down";
    plugin->dispatch(effEditIdle);  // idle after close is harmless
}

TEST_F(EditorHost, StripChangesWhileOpenResizeHostAndParentWindow)
{
    setStrips(1, 0, 0);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    idle();
    host::hostState().calls.clear();

    plugin->setParameter(kShowFilters, 1.0F);
    ASSERT_NE(lastSizeCall(), nullptr);
    EXPECT_EQ(lastSizeCall()->index, kWidth);
    EXPECT_EQ(lastSizeCall()->value, 235);
    EXPECT_EQ(rectHeight(), 235);
    idle();
    EXPECT_EQ(attributes(parent).height, 235) << "the host window is resized directly too";
    EXPECT_EQ(attributes(childWindow()).height, 235);

    plugin->setParameter(kShowLabel, 1.0F);
    EXPECT_EQ(lastSizeCall()->value, 261);
    plugin->setParameter(kStrips, 0.0F);
    EXPECT_EQ(lastSizeCall()->value, 169);
    idle();
    EXPECT_EQ(attributes(parent).height, 169);

    const size_t calls = host::hostState().count(audioMasterSizeWindow);
    plugin->setParameter(kShowFilters, 0.0F);  // strips hidden: the height stays
    EXPECT_EQ(static_cast<size_t>(host::hostState().count(audioMasterSizeWindow)), calls);
    EXPECT_EQ(rectHeight(), 169);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorHost, MeterSwitchAndAudioWhileOpenAreDrawn)
{
    setStrips(1, 0, 0);
    plugin->setSampleRate(44100.0F);
    plugin->setBlockSize(512);
    plugin->resume();
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    std::vector<float> left(512, 0.3F);
    std::vector<float> right(512, -0.3F);
    std::vector<float> outLeft(512);
    std::vector<float> outRight(512);
    for (float meter : {0.5F, 1.0F, 0.0F}) {
        plugin->setParameter(kMeter, meter);
        for (int block = 0; block < 20; ++block) {
            float* in[] = {left.data(), right.data()};
            float* out[] = {outLeft.data(), outRight.data()};
            plugin->process(in, out, 512);
            plugin->dispatch(effEditIdle);
        }
        idle(2);
        EXPECT_GT(coloursInRow(childWindow(), 60), 20u) << "meter " << meter;
    }
    plugin->dispatch(effEditClose);
}

TEST_F(EditorHost, ClosingThePluginWithTheEditorOpenIsSafe)
{
    setStrips(1, 1, 1);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    idle();
    plugin.reset();  // effClose without effEditClose, as some hosts do
    XSync(display, False);
    EXPECT_EQ(childWindow(), 0u);
}

}  // namespace
