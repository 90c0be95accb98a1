#pragma once

// The editor of the built plug-in in a window of a private X server, inside
// a parent window made as a host makes it, driven by mouse, wheel and keyboard
// events sent to its window. The host follows the editor's size requests by
// resizing the parent, as hosts do.

#include <gtest/gtest.h>

#include "base/ParameterIds.h"
#include "core/HostChunk.h"
#include "editor/EditorGeometry.h"
#include "platform/SettingsStore.h"
#include "tests/support/HostWindow.h"
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

namespace editor_window_test {

constexpr int kWidth = editor::kEditorWidth;
constexpr int kFullHeight = editor::kEditorMaxHeight;
constexpr int kFilterTop = editor::kFrontPanelHeight;
constexpr int kLabelTop = editor::kFrontPanelHeight + editor::kFilterStripHeight;
constexpr unsigned long kClickSpacingMs = 1000;  // far apart: never a double click

class EditorWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library = host::PluginLibrary::open(VALDORA_PLUGIN_PATH, loadError); }
    static void TearDownTestSuite() { library.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(library) << loadError;
        host::hostState().reset();
        if (!window.open(kWidth, kFullHeight))
            GTEST_SKIP() << "Xvfb is not available";
        display = window.display;
        parent = window.parent;
        // Each test starts from the default settings: instances read the global set when made.
        std::remove(platform::settingsFilePath().c_str());
        current = this;
        plugin = newInstance();
        ASSERT_NE(plugin, nullptr);
    }
    void TearDown() override
    {
        plugin.reset();
        current = nullptr;
        window.close();
        display = nullptr;
    }

    // Process on (the filter and trim controls answer only then), every strip expanded.
    std::unique_ptr<host::Plugin> newInstance() const
    {
        AEffect* effect = library->instantiate(&followingHost);
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

    Window childWindow() const { return window.child(); }

    // The test host's answers, and the parent sized as the editor asks when
    // the host says yes (unless a test has it refuse to follow).
    static VstIntPtr followingHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt)
    {
        const VstIntPtr answer = host::hostCallback(effect, opcode, index, value, ptr, opt);
        if (opcode == audioMasterSizeWindow && answer != 0 && current && current->display && current->hostFollowsSize)
            XResizeWindow(current->display, current->parent, static_cast<unsigned int>(index),
                          static_cast<unsigned int>(value));
        return answer;
    }

    void sendButton(int type, int x, int y, unsigned int state, unsigned int button = Button1)
    {
        testing_support::sendButton(display, child, type, button, x, y, state, eventTime);
    }
    void sendMotion(int x, int y, unsigned int modifiers = 0)
    {
        testing_support::sendMotion(display, child, x, y, Button1Mask | modifiers, eventTime);
    }

    void click(int x, int y)
    {
        eventTime += kClickSpacingMs;
        sendButton(ButtonPress, x, y, 0);
        sendButton(ButtonRelease, x, y, Button1Mask);
        idle();
    }
    // modifiers: ShiftMask for a fine drag.
    void drag(int x, int y, int dx, int dy, unsigned int modifiers = 0)
    {
        eventTime += kClickSpacingMs;
        sendButton(ButtonPress, x, y, modifiers);
        idle(*plugin, 1);
        constexpr int kSteps = 4;
        for (int step = 1; step <= kSteps; ++step) {
            sendMotion(x + dx * step / kSteps, y + dy * step / kSteps, modifiers);
            idle(*plugin, 1);
        }
        sendButton(ButtonRelease, x + dx, y + dy, Button1Mask | modifiers);
        idle();
    }
    // One notch of the wheel: X reports it as a press of button 4 (up) or 5 (down).
    void wheel(int x, int y, bool up)
    {
        eventTime += kClickSpacingMs;
        sendButton(ButtonPress, x, y, 0, up ? Button4 : Button5);
        sendButton(ButtonRelease, x, y, 0, up ? Button4 : Button5);
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

    static inline std::unique_ptr<host::PluginLibrary> library;
    static inline std::string loadError;
    static inline EditorWindow* current = nullptr;  // the test the host callback serves
    bool hostFollowsSize = true;
    testing_support::HostWindow window;
    Display* display = nullptr;
    Window parent = 0;
    Window child = 0;
    unsigned long eventTime = 1;
    std::unique_ptr<host::Plugin> plugin;
};

}  // namespace editor_window_test
