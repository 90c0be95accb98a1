// scripts/install-user.sh and scripts/uninstall-user.sh for a user without
// root, run in this test's own home folder: the files land in ~/.vst and
// ~/.local/share/qor-valdora, "ManualPath" names the installed manual, the
// installed plug-in loads, and uninstalling removes the files and keeps the
// settings.

#include <gtest/gtest.h>

#include "platform/SettingsStore.h"
#include "tools/vsthost/PluginHost.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string storedManualPath()
{
    const auto key = platform::SettingsKey::open(platform::kSettingsKeyPath);
    std::array<char, 4096> text{};
    if (!key || !key->queryString("ManualPath", text.data(), text.size()))
        return std::string();
    return text.data();
}

int runScript(const char* name)
{
    const std::string command = std::string("'") + VALDORA_SOURCE_DIR + "/scripts/" + name + "' '" +
                                VALDORA_BINARY_DIR + "' > /dev/null";
    return std::system(command.c_str());
}

TEST(UserInstall, InstallsIntoTheHomeFolderAndUninstallKeepsTheSettings)
{
    const fs::path home = std::getenv("HOME");
    ASSERT_EQ(home.string(), std::getenv("VALDORA_TEST_HOME")) << "never the real user's home";
    unsetenv("XDG_DATA_HOME");
    const fs::path data = home / ".local/share/qor-valdora";
    const fs::path plugin = home / ".vst/QOR Valdora_x64.so";
    const fs::path manual = data / VALDORA_MANUAL_NAME;

    ASSERT_EQ(runScript("install-user.sh"), 0);
    EXPECT_TRUE(fs::is_regular_file(plugin));
    EXPECT_TRUE(fs::is_regular_file(manual));
    EXPECT_TRUE(fs::is_regular_file(data / "QORValdora.qsf"));
    EXPECT_TRUE(fs::is_regular_file(data / "LICENSE.txt"));
    EXPECT_EQ(storedManualPath(), manual.string());
    {
        std::string error;
        const auto library = host::PluginLibrary::open(plugin.string(), error);
        ASSERT_TRUE(library) << error;
        AEffect* effect = library->instantiate(error);
        ASSERT_NE(effect, nullptr) << error;
        host::Plugin instance(effect);
        EXPECT_EQ(instance.effectName(), "QOR Valdora");
    }

    ASSERT_EQ(runScript("uninstall-user.sh"), 0);
    EXPECT_FALSE(fs::exists(plugin));
    EXPECT_FALSE(fs::exists(data));
    EXPECT_EQ(storedManualPath(), manual.string()) << "the user's settings stay";
}

}  // namespace
