#include <gtest/gtest.h>

#include "base/AudioEffect.h"
#include "DemoEditor.h"
#include "tests/support/HostWindow.h"
#include "toolkit/CAnimKnob.h"
#include "toolkit/CFrame.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/CSlider.h"
#include "toolkit/CTextEdit.h"
#include "toolkit/IPlatformFrame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace toolkit_test {
namespace {

using namespace VSTGUI;
using toolkit_demo::DemoEditor;

class NoEffect : public AudioEffect {
public:
    NoEffect() : AudioEffect(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

// A host: its own connection and a top-level window to embed the editor in.
class EmbeddedEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!window.open(toolkit_demo::kDemoWidth, toolkit_demo::kDemoHeight))
            GTEST_SKIP() << "Xvfb is not available";
        host = window.display;
        parent = window.parent;
    }
    void TearDown() override { window.close(); }

    // A few host idle calls, as a host makes them between its own events.
    void idle(DemoEditor& editor, int times = 5)
    {
        for (int i = 0; i < times; ++i) {
            XSync(host, False);
            editor.idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        XSync(host, False);
    }

    Window childWindow()
    {
        Window root = 0;
        Window parentOfParent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(host, parent, &root, &parentOfParent, &children, &count);
        const Window child = count == 1 ? children[0] : 0;
        if (children)
            XFree(children);
        return count == 1 ? child : (count == 0 ? 0 : ~0ul);
    }

    unsigned long pixelAt(Window window, int x, int y)
    {
        XImage* image = XGetImage(host, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return ~0ul;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
        XDestroyImage(image);
        return pixel;
    }

    void sendButton(Window window, int type, unsigned int button, int x, int y, unsigned int state = 0)
    {
        testing_support::sendButton(host, window, type, button, x, y, state);
    }
    void sendMotion(Window window, int x, int y, unsigned int state)
    {
        testing_support::sendMotion(host, window, x, y, state);
    }

    testing_support::HostWindow window;
    Display* host = nullptr;
    Window parent = 0;
};


constexpr unsigned long kLampOffPixel = 0x461414;  // the demo's lamp colours
constexpr unsigned long kLampOnPixel = 0xfa3c28;

TEST_F(EmbeddedEditor, OpensAsAChildOfTheHostWindowAndDrawsInIdle)
{
    NoEffect effect;
    DemoEditor editor(&effect);
    ASSERT_TRUE(editor.open(reinterpret_cast<void*>(parent)));
    ASSERT_NE(editor.getDemoFrame()->getPlatformFrame(), nullptr);
    idle(editor);
    const Window child = childWindow();
    ASSERT_NE(child, 0u);
    XWindowAttributes attributes{};
    XGetWindowAttributes(host, child, &attributes);
    EXPECT_EQ(attributes.width, toolkit_demo::kDemoWidth);
    EXPECT_EQ(attributes.height, toolkit_demo::kDemoHeight);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(pixelAt(child, 28, 22), kLampOffPixel);
    editor.close();
}

TEST_F(EmbeddedEditor, ClickAndWheelReachTheControls)
{
    NoEffect effect;
    DemoEditor editor(&effect);
    editor.open(reinterpret_cast<void*>(parent));
    idle(editor);
    const Window child = childWindow();

    sendButton(child, ButtonPress, Button1, 28, 22);
    sendButton(child, ButtonRelease, Button1, 28, 22, Button1Mask);
    idle(editor);
    EXPECT_EQ(editor.button->getValue(), 1.f);
    EXPECT_EQ(pixelAt(child, 28, 34), kLampOnPixel);

    const float before = editor.knob->getValue();
    sendButton(child, ButtonPress, 4, 80, 28);  // wheel up
    sendButton(child, ButtonRelease, 4, 80, 28);
    idle(editor);
    EXPECT_NEAR(editor.knob->getValue(), before + 0.1f, 1e-5);
    sendButton(child, ButtonPress, 5, 80, 28);  // wheel down
    idle(editor);
    EXPECT_NEAR(editor.knob->getValue(), before, 1e-5);
    EXPECT_EQ(editor.changedTags, (std::vector<int32_t>{toolkit_demo::kTagButton, toolkit_demo::kTagKnob,
                                                        toolkit_demo::kTagKnob}));
    editor.close();
}

TEST_F(EmbeddedEditor, ADragMovesTheSliderOnlyWhileTheButtonIsHeld)
{
    NoEffect effect;
    DemoEditor editor(&effect);
    editor.open(reinterpret_cast<void*>(parent));
    idle(editor);
    const Window child = childWindow();
    const float before = editor.slider->getValue();
    const VSTGUI::CRect size = editor.slider->getViewSize();
    const int y = static_cast<int>((size.top + size.bottom) / 2);
    // Grab the handle where the value puts it, then drag right.
    const int x = static_cast<int>(size.left + before * size.getWidth());

    sendButton(child, ButtonPress, Button1, x, y);
    idle(editor, 2);
    for (int step = 1; step <= 4; ++step) {
        sendMotion(child, x + step * 10, y, Button1Mask);
        idle(editor, 2);
    }
    sendButton(child, ButtonRelease, Button1, x + 40, y, Button1Mask);
    idle(editor);
    const float dragged = editor.slider->getValue();
    EXPECT_GT(dragged, before + 0.1f);

    // Moving without a button held is hover, never a drag.
    sendMotion(child, x - 60, y, 0);
    idle(editor);
    EXPECT_EQ(editor.slider->getValue(), dragged);
    editor.close();
}

TEST_F(EmbeddedEditor, HeightChangeResizesTheWindow)
{
    NoEffect effect;
    DemoEditor editor(&effect);
    editor.open(reinterpret_cast<void*>(parent));
    idle(editor);
    CFrame* frame = editor.getDemoFrame();
    ASSERT_TRUE(frame->setSize(toolkit_demo::kDemoWidth, toolkit_demo::kDemoTallHeight));
    ASSERT_TRUE(frame->getPlatformFrame()->resizeParent(toolkit_demo::kDemoWidth, toolkit_demo::kDemoTallHeight));
    idle(editor);
    XWindowAttributes child{};
    XGetWindowAttributes(host, childWindow(), &child);
    EXPECT_EQ(child.height, toolkit_demo::kDemoTallHeight);
    XWindowAttributes outer{};
    XGetWindowAttributes(host, parent, &outer);
    EXPECT_EQ(outer.height, toolkit_demo::kDemoTallHeight);
    // The new strip at the bottom is drawn too (the panel colour, not left black).
    EXPECT_EQ(pixelAt(childWindow(), 5, toolkit_demo::kDemoTallHeight - 5), 0x262a30u);
    editor.close();
}

TEST_F(EmbeddedEditor, TextEditingHoldsTheKeyboardFocusAndGivesItBack)
{
    NoEffect effect;
    DemoEditor editor(&effect);
    editor.open(reinterpret_cast<void*>(parent));
    idle(editor);
    const Window child = childWindow();
    sendButton(child, ButtonPress, Button1, 40, 98);
    sendButton(child, ButtonRelease, Button1, 40, 98, Button1Mask);
    idle(editor);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(host, &focus, &revert);
    EXPECT_EQ(focus, child);

    for (KeySym sym : {XK_4, XK_2, XK_Return}) {
        XEvent event{};
        event.xkey.type = KeyPress;
        event.xkey.display = host;
        event.xkey.window = child;
        event.xkey.root = DefaultRootWindow(host);
        event.xkey.keycode = XKeysymToKeycode(host, sym);
        event.xkey.same_screen = True;
        XSendEvent(host, child, True, KeyPressMask, &event);
    }
    idle(editor);
    EXPECT_STREQ(editor.text->getText(), "42");
    XGetInputFocus(host, &focus, &revert);
    EXPECT_EQ(focus, parent);
    editor.close();
}

TEST_F(EmbeddedEditor, CloseLeavesNoWindowBehindAndReopens)
{
    NoEffect effect;
    DemoEditor editor(&effect);
    for (int round = 0; round < 3; ++round) {
        editor.open(reinterpret_cast<void*>(parent));
        idle(editor, 2);
        EXPECT_NE(childWindow(), 0u);
        editor.close();
        XSync(host, False);
        EXPECT_EQ(childWindow(), 0u) << "round " << round;
    }
}

TEST_F(EmbeddedEditor, ABadParentWindowLeavesAnOffscreenFrame)
{
    NoEffect effect;
    DemoEditor editor(&effect);
    editor.open(reinterpret_cast<void*>(0x7ffffffful));
    EXPECT_EQ(editor.getDemoFrame()->getPlatformFrame(), nullptr);
    editor.idle();
    editor.close();
}

}  // namespace
}  // namespace toolkit_test
