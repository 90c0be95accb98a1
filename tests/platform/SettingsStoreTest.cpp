#include "platform/SettingsStore.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::SettingsKey;
using platform::SettingsValueType;

constexpr const char* kKey = platform::kSettingsKeyPath;

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// As the library's load-time settings read sees them, before main runs.
const std::string homeAtLoad = environment("HOME");
const std::string configHomeAtLoad = environment("XDG_CONFIG_HOME");

// A test binary run by hand, outside ctest, must not read or write the user's own settings.
TEST(TestHome, IsPrivateBeforeTheLibraryLoads)
{
    EXPECT_EQ(homeAtLoad, environment("HOME"));
    EXPECT_EQ(configHomeAtLoad, environment("XDG_CONFIG_HOME"));
    EXPECT_EQ(environment("XDG_CONFIG_HOME"), environment("HOME") + "/.config");
}

// Each test gets a config home of its own; the previous one is restored after.
class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            savedConfigHome_ = old;
        useConfigHome(dir_.path() + "/config");
    }
    void TearDown() override { setenv("XDG_CONFIG_HOME", savedConfigHome_.c_str(), 1); }

    static void useConfigHome(const std::string& path) { setenv("XDG_CONFIG_HOME", path.c_str(), 1); }

    static std::string readFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void writeFile(const std::string& path, const std::string& text)
    {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    static std::vector<fs::path> keptAside()
    {
        std::vector<fs::path> found;
        const fs::path folder = fs::path(platform::settingsFilePath()).parent_path();
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename().string().rfind("settings.conf.corrupt-", 0) == 0)
                found.push_back(entry.path());
        }
        return found;
    }

    static bool setFloat(const std::string& name, float value)
    {
        const auto key = SettingsKey::create(kKey);
        return key && key->set(name, SettingsValueType::Binary, &value, sizeof value);
    }

    static float readFloat(const std::string& name, float fallback)
    {
        float value = fallback;
        if (const auto key = SettingsKey::open(kKey))
            key->query(name, &value, sizeof value);
        return value;
    }

    testing_support::TempDir dir_;
    std::string savedConfigHome_;
};

TEST_F(SettingsStoreTest, BinaryAndStringValuesRoundTripThroughTheFile)
{
    const std::string path = "/home/user/Manual \"3\"\\\tdir\nnext line/é.pdf";
    {
        const auto key = SettingsKey::create(kKey);
        ASSERT_TRUE(key);
        const float level = 0.667f;
        ASSERT_TRUE(key->set("Armsreference", SettingsValueType::Binary, &level, sizeof level));
        ASSERT_TRUE(key->setString("ManualPath", path));
        ASSERT_TRUE(key->setString("CurrDir", std::string("cut\0here", 8)));
    }

    const auto key = SettingsKey::open(kKey);
    ASSERT_TRUE(key);
    float level = 0.0f;
    SettingsValueType type = SettingsValueType::String;
    std::size_t size = 0;
    ASSERT_TRUE(key->query("Armsreference", &level, sizeof level, &type, &size));
    EXPECT_EQ(level, 0.667f);
    EXPECT_EQ(type, SettingsValueType::Binary);
    EXPECT_EQ(size, sizeof level);

    std::array<char, 256> text{};
    ASSERT_TRUE(key->queryString("ManualPath", text.data(), text.size()));
    EXPECT_EQ(std::string(text.data()), path);
    ASSERT_TRUE(key->queryString("CurrDir", text.data(), text.size()));
    EXPECT_EQ(std::string(text.data()), "cut");
    // Too big for no buffer, but the type and size are still told.
    EXPECT_FALSE(key->query("ManualPath", nullptr, 0, &type, &size));
    EXPECT_EQ(type, SettingsValueType::String);
    EXPECT_EQ(size, path.size());

    // A person can read the file: one line per value; 0.667f is 0x3f2ac083, little-endian.
    const std::string file = readFile(platform::settingsFilePath());
    EXPECT_NE(file.find("[SOFTWARE\\Brontal\\QORMETERS300]\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\"Armsreference\" binary 83c02a3f\n"), std::string::npos) << file;
}

TEST_F(SettingsStoreTest, MissingOrUnreadableFileReadsAsNoValues)
{
    EXPECT_FALSE(SettingsKey::open(kKey));
    EXPECT_EQ(readFloat("Avureference", 0.25f), 0.25f);

    // A folder where the file should be: still no values, and no write over it.
    fs::create_directories(platform::settingsFilePath());
    EXPECT_FALSE(SettingsKey::open(kKey));
    EXPECT_FALSE(setFloat("Avureference", 0.5f));
    EXPECT_TRUE(fs::is_directory(platform::settingsFilePath()));

    // No usable home at all.
    useConfigHome("relative/path");
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    setenv("HOME", (dir_.path() + "/other-home").c_str(), 1);
    EXPECT_EQ(platform::settingsFilePath(), dir_.path() + "/other-home/.config/qor-valdora/settings.conf");
    setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(SettingsStoreTest, CorruptFileKeepsItsReadableValuesAndIsKeptAsideBeforeTheNextWrite)
{
    const std::string corrupt = "[SOFTWARE\\Brontal\\QORMETERS300]\n"
                                "\"Avureference\" binary 0000003f\n"
                                "\"Avutype\" binary 00\x01\xff garbage\n"
                                "\xde\xad\xbe\xef\n";
    writeFile(platform::settingsFilePath(), corrupt);

    EXPECT_EQ(readFloat("Avureference", 0.25f), 0.5f);
    EXPECT_EQ(readFloat("Avutype", 0.0f), 0.0f);
    EXPECT_TRUE(keptAside().empty()) << "reading alone leaves the file as it is";

    ASSERT_TRUE(setFloat("Avuholdtime", 0.75f));
    const auto aside = keptAside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(readFile(aside[0].string()), corrupt);
    EXPECT_EQ(readFloat("Avureference", 0.25f), 0.5f);
    EXPECT_EQ(readFloat("Avuholdtime", 0.0f), 0.75f);

    // The rewritten file is clean: the next write keeps nothing else aside.
    ASSERT_TRUE(setFloat("Avuholdtime", 0.5f));
    EXPECT_EQ(keptAside().size(), 1u);

    // A second corrupt file in the same second does not replace the first one kept.
    writeFile(platform::settingsFilePath(), "not a settings line\n");
    ASSERT_TRUE(setFloat("Avuholdtime", 0.25f));
    EXPECT_EQ(keptAside().size(), 2u);
}

TEST_F(SettingsStoreTest, ValueLargerThanTheBufferIsRefusedAndLeavesItUntouched)
{
    const double wide = 1.5;
    {
        const auto key = SettingsKey::create(kKey);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->set("Armsreference", SettingsValueType::Binary, &wide, sizeof wide));
    }
    const auto key = SettingsKey::open(kKey);
    ASSERT_TRUE(key);
    std::array<unsigned char, 8> buffer{};
    buffer.fill(0xa5);
    std::size_t size = 0;
    EXPECT_FALSE(key->query("Armsreference", buffer.data(), 4, nullptr, &size));
    EXPECT_EQ(size, sizeof wide);
    for (const unsigned char b : buffer)
        EXPECT_EQ(b, 0xa5);
    EXPECT_FALSE(key->query("Absent", buffer.data(), buffer.size()));
}

TEST_F(SettingsStoreTest, LongStringIsCutAndTerminatedInsideTheBuffer)
{
    {
        const auto key = SettingsKey::create(kKey);
        ASSERT_TRUE(key && key->setString("ManualPath", "abcdefghij"));
    }
    const auto key = SettingsKey::open(kKey);
    ASSERT_TRUE(key);
    std::array<char, 8> buffer{};
    buffer.fill('#');
    ASSERT_TRUE(key->queryString("ManualPath", buffer.data(), 5));
    EXPECT_STREQ(buffer.data(), "abcd");
    EXPECT_EQ(buffer[5], '#') << "nothing written past the capacity";
    EXPECT_FALSE(key->queryString("ManualPath", buffer.data(), 0));
}

TEST_F(SettingsStoreTest, OnlyAKeyOpenedForWritingWrites)
{
    ASSERT_TRUE(setFloat("Avureference", 0.5f));
    const auto key = SettingsKey::open(kKey);
    ASSERT_TRUE(key);
    const float value = 0.1f;
    EXPECT_FALSE(key->set("Avureference", SettingsValueType::Binary, &value, sizeof value));
    EXPECT_EQ(readFloat("Avureference", 0.0f), 0.5f);
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNoValue)
{
    constexpr int kWriters = 2;
    constexpr int kValuesEach = 150;
    std::vector<pid_t> children;
    for (int writer = 0; writer < kWriters; ++writer) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool ok = true;
            for (int i = 0; i < kValuesEach; ++i) {
                // A fresh key per value, as the plug-in opens one per write.
                const auto key = SettingsKey::create(kKey);
                const std::string name = "writer" + std::to_string(writer) + "-" + std::to_string(i);
                ok = ok && key && key->setString(name, name + " text");
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const auto key = SettingsKey::open(kKey);
    ASSERT_TRUE(key);
    std::array<char, 64> text{};
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int i = 0; i < kValuesEach; ++i) {
            const std::string name = "writer" + std::to_string(writer) + "-" + std::to_string(i);
            ASSERT_TRUE(key->queryString(name, text.data(), text.size())) << name;
            EXPECT_EQ(std::string(text.data()), name + " text");
        }
    }
    EXPECT_TRUE(keptAside().empty());
}

TEST_F(SettingsStoreTest, WritingCreatesTheFoldersThatDoNotExistYet)
{
    const std::string deep = dir_.path() + "/not/yet/there";
    useConfigHome(deep);
    ASSERT_FALSE(fs::exists(deep));
    ASSERT_TRUE(setFloat("Appmreference", 0.5f));
    EXPECT_EQ(platform::settingsFilePath(), deep + "/qor-valdora/settings.conf");
    EXPECT_TRUE(fs::is_regular_file(platform::settingsFilePath()));
    EXPECT_EQ(readFloat("Appmreference", 0.0f), 0.5f);
    // No temporary files are left behind.
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(deep + "/qor-valdora"))
        entries += entry.path().filename().string().find(".tmp.") == std::string::npos ? 1 : 100;
    EXPECT_EQ(entries, 2) << "the settings file and its lock file";
}

TEST_F(SettingsStoreTest, ALinkedSettingsFileStaysALink)
{
    const std::string elsewhere = dir_.path() + "/dotfiles/settings.conf";
    writeFile(elsewhere, "");
    fs::create_directories(fs::path(platform::settingsFilePath()).parent_path());
    fs::create_symlink(elsewhere, platform::settingsFilePath());

    ASSERT_TRUE(setFloat("Avureference", 0.5f));
    EXPECT_TRUE(fs::is_symlink(platform::settingsFilePath()));
    EXPECT_NE(readFile(elsewhere).find("\"Avureference\" binary 0000003f"), std::string::npos);
    EXPECT_EQ(readFloat("Avureference", 0.0f), 0.5f);
}

}  // namespace
