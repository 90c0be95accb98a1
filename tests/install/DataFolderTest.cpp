// The manual's file name, the data folders an installed module looks in,
// and the manual opener falling back to the installed manual when no
// "ManualPath" is stored.

#include <gtest/gtest.h>

#include "base/Version.h"
#include "platform/DataFolder.h"
#include "platform/ManualPath.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(ManualName, IsTheThirtySixCharactersTheFontLookupCutsOff)
{
    EXPECT_EQ(platform::kManualFileName, std::string("QOR Valdora v") + version::kVersion + " - User Manual.pdf");
    EXPECT_STREQ(platform::kManualFileName, VALDORA_MANUAL_NAME) << "the build writes the name the plug-in opens";
}

TEST(DataFolder, ModulesFindTheShareFolderOfTheirOwnPrefixFirst)
{
    const std::vector<std::string> plugin =
        platform::dataFolderCandidates("/opt/x/lib/vst/QOR Valdora_x64.so", "/usr/share/qor-valdora");
    ASSERT_FALSE(plugin.empty());
    EXPECT_EQ(plugin.front(), "/opt/x/share/qor-valdora");
    EXPECT_EQ(plugin.back(), "/usr/share/qor-valdora");

    const std::vector<std::string> tool = platform::dataFolderCandidates("/usr/bin/valdora-meter", "/configured");
    EXPECT_NE(std::find(tool.begin(), tool.end(), "/usr/share/qor-valdora"), tool.end());
    EXPECT_EQ(tool.back(), "/configured");

    const std::vector<std::string> bare = platform::dataFolderCandidates("plugin.so", "/configured");
    EXPECT_EQ(bare, std::vector<std::string>{"/configured"}) << "no folder to start from";
    EXPECT_EQ(platform::dataFolderCandidates("", "").size(), 0u);
}

TEST(ManualPathToOpen, AStoredPathWinsAndNothingInstalledGivesNothing)
{
    EXPECT_EQ(platform::manualPathToOpen(std::string("/somewhere/manual.pdf")), "/somewhere/manual.pdf");
    // This test program lies in the build tree: no data folder beside it, and
    // the configured prefix is not where a test may rely on files.
    const std::string fallback = platform::manualPathToOpen(std::nullopt);
    if (!fallback.empty()) {
        EXPECT_NE(fallback.find(std::string("/qor-valdora/") + platform::kManualFileName), std::string::npos);
    }
    EXPECT_EQ(platform::manualPathToOpen(std::string()), fallback) << "an empty value counts as absent";
}

TEST(ManualPathToOpen, FindsOnlyReadableFiles)
{
    EXPECT_EQ(platform::findDataFile("no-such-file.pdf"), "");
    EXPECT_EQ(platform::findDataFile(""), "") << "a folder is not a file to open";
}

}  // namespace
