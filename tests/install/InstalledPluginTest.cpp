// The installation as a user gets it: cmake --install into a scratch
// folder, then the installed plug-in in a host. It loads from its VST
// folder, its manual button hands the installed manual to the desktop's
// opener (a fake xdg-open first on PATH records what it was given), and its
// label strip draws with the installed tape font. No "ManualPath" is stored,
// as after a system-wide installation.

#include <gtest/gtest.h>

#include "tests/support/HostWindow.h"
#include "tests/support/TempDir.h"

#include "tools/vsthost/PluginHost.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

constexpr int kEditorWidth = 586;
constexpr int kEditorHeight = 261;
constexpr int kManualButtonX = 510;  // the middle of the 10 x 14 button at the top right
constexpr int kManualButtonY = 7;
constexpr VstInt32 kShowStrips = 6;
constexpr VstInt32 kShowLabel = 15;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class InstalledPlugin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root = new TempDir();
        const std::string command = "DESTDIR='" + root->path() + "' '" CMAKE_COMMAND_PATH "' --install '" +
                                    VALDORA_BINARY_DIR + "' --prefix /usr > '" + root->path() + "/install.log' 2>&1";
        installStatus = std::system(command.c_str());
    }
    static void TearDownTestSuite()
    {
        delete root;
        root = nullptr;
    }

    void SetUp() override { ASSERT_EQ(installStatus, 0) << readFile(fs::path(root->path()) / "install.log"); }

    static fs::path usr() { return fs::path(root->path()) / "usr"; }
    static fs::path dataFolder() { return usr() / "share" / "qor-valdora"; }
    static fs::path pluginPath() { return usr() / "lib" / "vst" / "QOR Valdora_x64.so"; }

    static TempDir* root;
    static int installStatus;
};

TempDir* InstalledPlugin::root = nullptr;
int InstalledPlugin::installStatus = -1;

TEST_F(InstalledPlugin, PutsEveryFileInItsFolder)
{
    EXPECT_TRUE(fs::is_regular_file(pluginPath()));
    EXPECT_TRUE(fs::is_regular_file(usr() / "bin" / "valdora-meter"));
    EXPECT_GT(fs::file_size(dataFolder() / VALDORA_MANUAL_NAME), 100000u) << "a manual with its pictures";
    EXPECT_EQ(readFile(dataFolder() / VALDORA_MANUAL_NAME).rfind("%PDF-", 0), 0u);
    EXPECT_TRUE(fs::is_regular_file(dataFolder() / "QORValdora.qsf"));
    EXPECT_TRUE(fs::is_regular_file(dataFolder() / "LICENSE.txt"));
}

TEST_F(InstalledPlugin, LoadsFromTheVstFolder)
{
    std::string error;
    const auto library = host::PluginLibrary::open(pluginPath().string(), error);
    ASSERT_TRUE(library) << error;
    AEffect* effect = library->instantiate(error);
    ASSERT_NE(effect, nullptr) << error;
    host::Plugin plugin(effect);
    EXPECT_EQ(plugin.effectName(), "QOR Valdora");
    EXPECT_TRUE(effect->flags & effFlagsHasEditor);
}

class InstalledEditor : public InstalledPlugin {
protected:
    void SetUp() override
    {
        InstalledPlugin::SetUp();
        if (!window.open(kEditorWidth, kEditorHeight))
            GTEST_SKIP() << "Xvfb is not available";
        display = window.display;
        parent = window.parent;
        std::string error;
        library = host::PluginLibrary::open(pluginPath().string(), error);
        ASSERT_TRUE(library) << error;
        AEffect* effect = library->instantiate(error);
        ASSERT_NE(effect, nullptr) << error;
        plugin = std::make_unique<host::Plugin>(effect);
    }
    void TearDown() override
    {
        plugin.reset();
        library.reset();
        window.close();
    }

    void openEditor()
    {
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        idle();
    }

    void idle(int times = 6)
    {
        for (int i = 0; i < times; ++i) {
            XSync(display, False);
            plugin->dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    Window editorWindow() const { return window.child(); }

    void click(Window window, int x, int y)
    {
        for (const int type : {ButtonPress, ButtonRelease}) {
            XEvent event{};
            event.xbutton.type = type;
            event.xbutton.display = display;
            event.xbutton.window = window;
            event.xbutton.x = x;
            event.xbutton.y = y;
            event.xbutton.button = Button1;
            event.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
            event.xbutton.same_screen = True;
            XSendEvent(display, window, False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
            XSync(display, False);
            idle(2);
        }
    }

    testing_support::HostWindow window;
    Display* display = nullptr;
    Window parent = 0;
    std::unique_ptr<host::PluginLibrary> library;
    std::unique_ptr<host::Plugin> plugin;
};

TEST_F(InstalledEditor, ManualButtonOpensTheInstalledManual)
{
    TempDir fakeBin;
    const fs::path record = fs::path(fakeBin.path()) / "opened.txt";
    const fs::path opener = fs::path(fakeBin.path()) / "xdg-open";
    {
        std::ofstream script(opener);
        script << "#!/bin/sh\nprintf '%s' \"$1\" > '" << record.string() << ".tmp'\nmv '" << record.string()
               << ".tmp' '" << record.string() << "'\n";
    }
    fs::permissions(opener, fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", (fakeBin.path() + ":" + oldPath).c_str(), 1);

    openEditor();
    const Window window = editorWindow();
    ASSERT_NE(window, 0u);
    click(window, kManualButtonX, kManualButtonY);
    for (int i = 0; i < 200 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(fs::exists(record)) << "the opener was not started";
    EXPECT_EQ(readFile(record), (dataFolder() / VALDORA_MANUAL_NAME).string());
    plugin->dispatch(effEditClose);
}

TEST_F(InstalledEditor, LabelStripDrawsWithTheInstalledFont)
{
    plugin->setParameter(kShowLabel, 1.0F);
    plugin->setParameter(kShowStrips, 1.0F);
    openEditor();
    idle(10);
    // The font file stays mapped while its face is in use.
    const std::string maps = readFile("/proc/self/maps");
    EXPECT_NE(maps.find((dataFolder() / "QORValdora.qsf").string()), std::string::npos)
        << "the label font did not come from the installed data folder";
    EXPECT_EQ(maps.find(std::string(VALDORA_SOURCE_DIR) + "/resources/font/QORValdora.qsf"), std::string::npos);
    plugin->dispatch(effEditClose);
}

}  // namespace
