// plugin-dump, the cross-platform comparison host, on the Linux plug-in: its
// text is what the Windows builds are diffed against, so it must be complete
// and its checks must pass here first.

#include "tests/host/RunCommand.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using testing_support::runCommand;
using testing_support::shellQuote;

int countLinesStartingWith(const std::string& text, const std::string& prefix)
{
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}

TEST(PluginDump, DescribesThePluginAndPassesItsChecks)
{
    const auto result = runCommand(shellQuote(PLUGIN_DUMP_PATH) + " " + shellQuote(VALDORA_PLUGIN_PATH));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const std::string& text = result.output;
    EXPECT_NE(text.find("name: QOR Valdora\n"), std::string::npos);
    EXPECT_NE(text.find("category: Mastering\n"), std::string::npos);
    EXPECT_NE(text.find("inputs: 2 outputs: 2 parameters: 64 programs: 1\n"), std::string::npos);
    EXPECT_EQ(countLinesStartingWith(text, "param "), 64);
    EXPECT_NE(text.find("param  1: 0.500000 \"Trim\" \"0.0dB\""), std::string::npos);
    EXPECT_NE(text.find("editor: yes\n"), std::string::npos);
    EXPECT_NE(text.find("chunk: 596 bytes"), std::string::npos);
    EXPECT_NE(text.find("chunk after change differs: yes\n"), std::string::npos);
    EXPECT_NE(text.find("bytes same, parameters same\n"), std::string::npos);
    EXPECT_NE(text.find("largest difference from input 0\n"), std::string::npos);
    EXPECT_NE(text.find("result: ok\n"), std::string::npos);
}

TEST(PluginDump, GivesTheSameTextEveryRun)
{
    const std::string command = shellQuote(PLUGIN_DUMP_PATH) + " " + shellQuote(VALDORA_PLUGIN_PATH);
    EXPECT_EQ(runCommand(command).output, runCommand(command).output);
}

TEST(PluginDump, RefusesWhatIsNoPlugin)
{
    EXPECT_EQ(runCommand(shellQuote(PLUGIN_DUMP_PATH)).exitCode, 2);
    const auto missing = runCommand(shellQuote(PLUGIN_DUMP_PATH) + " /nonexistent/plugin.so");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("plugin-dump:"), std::string::npos);
    // A library without a VST entry point.
    const auto notPlugin = runCommand(shellQuote(PLUGIN_DUMP_PATH) + " " + shellQuote(PLUGIN_DUMP_NOT_A_PLUGIN));
    EXPECT_EQ(notPlugin.exitCode, 1);
    EXPECT_NE(notPlugin.output.find("no VST 2.4 entry point"), std::string::npos);
}

}  // namespace
