// The editor through the built plug-in, as a host drives it: the editor
// flag and rectangle, open into a window of a private X server, idle
// drawing, resizing through the host and the parent window, clicks sent to
// the window, audio from a thread of its own while the main thread idles,
// and close.

#include <gtest/gtest.h>

#include "tests/support/HostWindow.h"
#include "tools/vsthost/PluginHost.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>
#include <tuple>
#include <vector>

namespace {

constexpr int kWidth = 586;
constexpr VstInt32 kMeter = 3;
constexpr VstInt32 kStrips = 6;
constexpr VstInt32 kShowFilters = 7;
constexpr VstInt32 kShowLabel = 15;
constexpr VstInt32 kProcess = 0;

struct Area {
    int x, y, width, height;
};
constexpr Area kLeftNeedleArea{12, 18, 250, 116};
constexpr Area kProcessButtonArea{531, 1, 43, 14};
constexpr Area kMeterFaces{12, 18, 515, 116};
constexpr int kProcessX = 552;
constexpr int kProcessY = 8;
constexpr int kStripsX = 579;
constexpr int kStripsY = 7;
constexpr int kSelectorRightArrowX = 334;
constexpr int kSelectorY = 155;

size_t entriesIn(const char* directory)
{
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory))
        ++n;
    return n;
}

class EditorHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library = host::PluginLibrary::open(VALDORA_PLUGIN_PATH, loadError); }
    static void TearDownTestSuite() { library.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(library) << loadError;
        host::hostState().reset();
        if (!window.open(kWidth, 195))
            GTEST_SKIP() << "Xvfb is not available";
        display = window.display;
        parent = window.parent;
        current = this;
        AEffect* effect = library->instantiate(&followingHost);
        ASSERT_NE(effect, nullptr);
        plugin = std::make_unique<host::Plugin>(effect);
        plugin->setParameter(kMeter, 0.0F);
    }
    void TearDown() override
    {
        plugin.reset();
        current = nullptr;
        window.close();
        display = nullptr;
    }

    // The test host's answers; a host that says yes to a size request sizes
    // its window (the parent) itself, as hosts do, unless told not to.
    static VstIntPtr followingHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt)
    {
        const VstIntPtr answer = host::hostCallback(effect, opcode, index, value, ptr, opt);
        if (opcode == audioMasterSizeWindow && answer != 0 && current && current->hostFollowsSize)
            XResizeWindow(current->display, current->parent, static_cast<unsigned>(index),
                          static_cast<unsigned>(value));
        return answer;
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

    Window childWindow() const { return window.child(); }

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

    std::vector<unsigned long> pixels(Window window, const Area& area)
    {
        std::vector<unsigned long> out;
        XImage* image = XGetImage(display, window, area.x, area.y, static_cast<unsigned>(area.width),
                                  static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
        if (!image)
            return out;
        for (int y = 0; y < area.height; ++y)
            for (int x = 0; x < area.width; ++x)
                out.push_back(XGetPixel(image, x, y) & 0xffffff);
        XDestroyImage(image);
        return out;
    }

    static size_t differing(const std::vector<unsigned long>& a, const std::vector<unsigned long>& b)
    {
        if (a.size() != b.size())
            return std::max(a.size(), b.size());
        size_t n = 0;
        for (size_t i = 0; i < a.size(); ++i)
            n += a[i] != b[i] ? 1 : 0;
        return n;
    }

    // A left click as the server would deliver it to the editor's window.
    void click(int x, int y)
    {
        const Window child = childWindow();
        ASSERT_NE(child, 0u);
        for (int type : {ButtonPress, ButtonRelease}) {
            XEvent event{};
            event.xbutton.type = type;
            event.xbutton.display = display;
            event.xbutton.window = child;
            event.xbutton.root = DefaultRootWindow(display);
            event.xbutton.x = x;
            event.xbutton.y = y;
            event.xbutton.button = Button1;
            event.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
            event.xbutton.same_screen = True;
            XSendEvent(display, child, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
        }
        XFlush(display);
    }

    int automateCount(VstInt32 index, float* lastValue = nullptr) const
    {
        int n = 0;
        for (const auto& call : host::hostState().calls)
            if (call.opcode == audioMasterAutomate && call.index == index) {
                ++n;
                if (lastValue)
                    *lastValue = call.opt;
            }
        return n;
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
    static inline EditorHost* current = nullptr;
    bool hostFollowsSize = true;
    testing_support::HostWindow window;
    Display* display = nullptr;
    Window parent = 0;
    std::unique_ptr<host::Plugin> plugin;
};

std::unique_ptr<host::PluginLibrary> EditorHost::library;
std::string EditorHost::loadError;

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

TEST_F(EditorHost, StripChangesWhileOpenResizeThroughTheHostAndTheParentOnlyWhenItCannot)
{
    struct Case {
        const char* host;
        VstIntPtr answer;  // to audioMasterSizeWindow
        bool follows;      // sizes its own window as asked
    };
    // A host that says yes sizes its window itself; a second resize from the
    // plug-in behind its back leaves it out of step, so the parent keeps
    // the host's own height when the host did not follow.
    constexpr int kHostHeight = 195;
    const Case cases[] = {{"follows", 1, true}, {"says yes, does nothing", 1, false}, {"cannot resize", 0, false}};
    for (const Case& c : cases) {
        host::hostState().sizeWindowAnswer = c.answer;
        hostFollowsSize = c.follows;
        XResizeWindow(display, parent, kWidth, kHostHeight);
        setStrips(1, 0, 0);
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        idle();
        host::hostState().calls.clear();

        const std::tuple<VstInt32, float, int> steps[] = {
            {kShowFilters, 1.0F, 235}, {kShowLabel, 1.0F, 261}, {kShowFilters, 0.0F, 221}, {kStrips, 0.0F, 169}};
        for (const auto& [index, value, height] : steps) {
            plugin->setParameter(index, value);
            ASSERT_NE(lastSizeCall(), nullptr);
            EXPECT_EQ(lastSizeCall()->index, kWidth);
            EXPECT_EQ(lastSizeCall()->value, height);
            EXPECT_EQ(rectHeight(), height);
            idle();
            EXPECT_EQ(attributes(childWindow()).height, height) << c.host;
            const int parentHeight = c.follows || c.answer == 0 ? height : kHostHeight;
            EXPECT_EQ(attributes(parent).height, parentHeight) << c.host << ", editor " << height << " high";
        }
        const size_t calls = host::hostState().count(audioMasterSizeWindow);
        plugin->setParameter(kShowFilters, 1.0F);  // strips hidden: the height stays
        EXPECT_EQ(static_cast<size_t>(host::hostState().count(audioMasterSizeWindow)), calls);
        EXPECT_EQ(rectHeight(), 169);
        plugin->dispatch(effEditClose);
    }
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

TEST_F(EditorHost, NeedlesFollowAudioProcessedOnAnotherThreadWhileTheMainThreadIdles)
{
    setStrips(1, 0, 0);
    plugin->setSampleRate(44100.0F);
    plugin->setBlockSize(512);
    plugin->resume();
    // The audio thread asks the host about its pins; the recording host
    // keeps its log for one thread only.
    host::hostState().recordCalls = false;
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    idle(10);
    const std::vector<unsigned long> silent = pixels(childWindow(), kLeftNeedleArea);
    ASSERT_FALSE(silent.empty());

    std::atomic<bool> stop{false};
    std::thread audio([&] {
        constexpr int kFrames = 512;
        constexpr double kTwoPi = 6.283185307179586;
        std::vector<float> left(kFrames);
        std::vector<float> right(kFrames);
        std::vector<float> outLeft(kFrames);
        std::vector<float> outRight(kFrames);
        long long frame = 0;
        auto due = std::chrono::steady_clock::now();
        while (!stop.load()) {
            for (int i = 0; i < kFrames; ++i, ++frame)
                left[static_cast<size_t>(i)] = right[static_cast<size_t>(i)] =
                    static_cast<float>(0.5 * std::sin(kTwoPi * 1000.0 * static_cast<double>(frame) / 44100.0));
            float* in[] = {left.data(), right.data()};
            float* out[] = {outLeft.data(), outRight.data()};
            plugin->process(in, out, kFrames);
            due += std::chrono::microseconds(11610);  // one block of real time
            std::this_thread::sleep_until(due);
        }
    });
    std::vector<unsigned long> loud;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(1200)) {
        plugin->dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    XSync(display, False);
    loud = pixels(childWindow(), kLeftNeedleArea);
    stop = true;
    audio.join();

    EXPECT_GT(differing(silent, loud), 300u) << "the needle left its rest";
    plugin->dispatch(effEditClose);
}

TEST_F(EditorHost, ClickOnProcessAutomatesItAndTheButtonShowsTheNewState)
{
    setStrips(1, 0, 0);
    plugin->setParameter(kProcess, 0.0F);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    idle();
    const std::vector<unsigned long> off = pixels(childWindow(), kProcessButtonArea);
    host::hostState().calls.clear();

    click(kProcessX, kProcessY);
    idle();
    float automated = -1.0F;
    EXPECT_EQ(automateCount(kProcess, &automated), 1);
    EXPECT_EQ(automated, 1.0F);
    EXPECT_EQ(plugin->getParameter(kProcess), 1.0F);
    const std::vector<unsigned long> on = pixels(childWindow(), kProcessButtonArea);
    EXPECT_GT(differing(off, on), 50u) << "the button is drawn lit";

    click(kProcessX, kProcessY);
    idle();
    EXPECT_EQ(automateCount(kProcess, &automated), 2);
    EXPECT_EQ(automated, 0.0F);
    EXPECT_EQ(differing(off, pixels(childWindow(), kProcessButtonArea)), 0u) << "and back to its off picture";
    plugin->dispatch(effEditClose);
}

TEST_F(EditorHost, MeterSelectorArrowSwitchesThePanelInTheWindow)
{
    setStrips(1, 0, 0);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    idle();
    const std::vector<unsigned long> vu = pixels(childWindow(), kMeterFaces);
    host::hostState().calls.clear();

    click(kSelectorRightArrowX, kSelectorY);
    idle();
    EXPECT_EQ(plugin->getParameter(kMeter), 0.5F);
    EXPECT_EQ(automateCount(kMeter), 1);
    const std::vector<unsigned long> rms = pixels(childWindow(), kMeterFaces);
    EXPECT_GT(differing(vu, rms), static_cast<size_t>(kMeterFaces.width * kMeterFaces.height / 4))
        << "another face is shown";

    click(kSelectorRightArrowX, kSelectorY);
    idle();
    EXPECT_EQ(plugin->getParameter(kMeter), 1.0F);
    EXPECT_GT(differing(rms, pixels(childWindow(), kMeterFaces)), 1000u);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorHost, StripsButtonShrinksTheWindowTo169)
{
    setStrips(1, 1, 1);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    idle();
    ASSERT_EQ(attributes(childWindow()).height, 261);
    host::hostState().calls.clear();

    click(kStripsX, kStripsY);
    idle();
    EXPECT_EQ(plugin->getParameter(kStrips), 0.0F);
    EXPECT_EQ(automateCount(kStrips), 1);
    ASSERT_NE(lastSizeCall(), nullptr);
    EXPECT_EQ(lastSizeCall()->value, 169);
    EXPECT_EQ(rectHeight(), 169);
    EXPECT_EQ(attributes(parent).height, 169);
    EXPECT_EQ(attributes(childWindow()).height, 169);
    EXPECT_GT(coloursInRow(childWindow(), 60), 20u) << "still drawn after the resize";
    plugin->dispatch(effEditClose);
}

TEST_F(EditorHost, CloseLeavesNoWindowDescriptorOrThreadBehind)
{
    setStrips(1, 1, 1);
    // The first open loads fonts and images once per process.
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    idle();
    plugin->dispatch(effEditClose);
    XSync(display, False);

    const size_t descriptors = entriesIn("/proc/self/fd");
    const size_t threads = entriesIn("/proc/self/task");
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        idle();
        click(kProcessX, kProcessY);
        idle();
        plugin->dispatch(effEditClose);
        XSync(display, False);
        EXPECT_EQ(childWindow(), 0u);
        EXPECT_EQ(entriesIn("/proc/self/fd"), descriptors) << "round " << round;
        EXPECT_EQ(entriesIn("/proc/self/task"), threads);
    }
    plugin->dispatch(effEditIdle);
}

}  // namespace
