// The loader's refusal paths and its answers as a host, through real libraries.
#include "tests/host/RunCommand.h"
#include "tools/vsthost/PluginHost.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using testing_support::runCommand;
using testing_support::shellQuote;

class BadMagicScope {
public:
    BadMagicScope() { setenv("VALDORA_FIXTURE_BAD_MAGIC", "1", 1); }
    ~BadMagicScope() { unsetenv("VALDORA_FIXTURE_BAD_MAGIC"); }
};

std::unique_ptr<host::PluginLibrary> openOrFail(const std::string& path)
{
    std::string error;
    auto library = host::PluginLibrary::open(path, error);
    EXPECT_TRUE(library) << error;
    return library;
}

TEST(PluginLoader, MissingFileIsRefusedNamingTheFile)
{
    std::string error;
    EXPECT_FALSE(host::PluginLibrary::open("/nonexistent/plug-in.so", error));
    EXPECT_NE(error.find("/nonexistent/plug-in.so"), std::string::npos) << error;
}

TEST(PluginLoader, LibraryWithoutEntryPointIsRefused)
{
    std::string error;
    EXPECT_FALSE(host::PluginLibrary::open(FIXTURE_NO_ENTRY_PATH, error));
    EXPECT_NE(error.find("entry point"), std::string::npos) << error;
}

TEST(PluginLoader, EntryPointReturningNullGivesNoInstanceAndSaysWhy)
{
    const auto library = openOrFail(FIXTURE_REFUSING_PATH);
    ASSERT_TRUE(library);
    std::string error;
    EXPECT_EQ(library->instantiate(error), nullptr);
    EXPECT_NE(error.find("refused"), std::string::npos) << error;
}

TEST(PluginLoader, RecordWithoutMagicWordIsNotTrusted)
{
    const BadMagicScope badMagic;
    const auto library = openOrFail(FIXTURE_REFUSING_PATH);
    ASSERT_TRUE(library);
    std::string error;
    EXPECT_EQ(library->instantiate(error), nullptr);
    EXPECT_NE(error.find("magic"), std::string::npos) << error;
}

TEST(PluginLoader, BareFileNameMeansTheFileInTheWorkingDirectory)
{
    const std::filesystem::path fixture(FIXTURE_GAIN_PATH);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(fixture.parent_path());
    std::string error;
    const auto library = host::PluginLibrary::open(fixture.filename().string(), error);
    std::filesystem::current_path(before);
    EXPECT_TRUE(library) << error;
}

TEST(PluginLoader, ChunkCarriesStateIntoASecondInstance)
{
    const auto library = openOrFail(FIXTURE_GAIN_PATH);
    ASSERT_TRUE(library);
    host::Plugin first(library->instantiate());
    first.setParameter(0, 0.125f);
    first.setParameter(1, 1.0f);
    const std::vector<unsigned char> chunk = first.getChunk();
    ASSERT_EQ(chunk.size(), 12u);

    host::Plugin second(library->instantiate());
    EXPECT_EQ(second.getParameter(0), 0.5f);
    EXPECT_EQ(second.setChunk(chunk), 1);
    EXPECT_EQ(second.getParameter(0), 0.125f);
    EXPECT_EQ(second.getParameter(1), 1.0f);
}

TEST(PluginLoader, ReadsIdentityAndPinsThroughTheDispatcher)
{
    const auto library = openOrFail(FIXTURE_GAIN_PATH);
    ASSERT_TRUE(library);
    const host::Plugin plugin(library->instantiate());
    EXPECT_EQ(plugin.effectName(), "Fixture Gain");
    EXPECT_EQ(plugin.vendor(), "Fixture Works");
    EXPECT_EQ(plugin.vendorVersion(), 7);
    EXPECT_EQ(host::fourCharText(plugin.effect()->uniqueID), "FxGn");
    VstPinProperties pin;
    EXPECT_TRUE(plugin.outputProperties(1, pin));
    EXPECT_STREQ(pin.label, "Gain 2 Out");
    EXPECT_FALSE(plugin.inputProperties(2, pin));
    EXPECT_STREQ(pin.label, "");
}

TEST(PluginLoader, FourCharacterCodesEscapeWhatDoesNotPrint)
{
    EXPECT_EQ(host::fourCharText(vstFourCC('K', 'v', '7', 'x')), "Kv7x");
    EXPECT_EQ(host::fourCharText(vstFourCC('A', '\n', 'b', '\\')), "A\\x0ab\\x5c");
    EXPECT_EQ(host::fourCharText(0), "\\x00\\x00\\x00\\x00");
}

TEST(HostCallback, AnswersStringQueriesWithinTheirSize)
{
    char text[kVstMaxVendorStrLen + 16];
    std::fill(std::begin(text), std::end(text), 'Z');
    EXPECT_EQ(host::hostCallback(nullptr, audioMasterGetVendorString, 0, 0, text, 0.0f), 1);
    const std::string vendor(text);
    EXPECT_FALSE(vendor.empty());
    EXPECT_LT(vendor.size(), static_cast<size_t>(kVstMaxVendorStrLen));
    EXPECT_EQ(text[kVstMaxVendorStrLen], 'Z');
    EXPECT_EQ(host::hostCallback(nullptr, audioMasterGetVendorString, 0, 0, nullptr, 0.0f), 0);
}

TEST(VsthostRefusals, EachFailureHasItsMessageAndExitCode)
{
    struct Case {
        std::string plugin;
        std::string expected;
    };
    const Case cases[] = {
        {"/nonexistent/plug-in.so", "no such file"},
        {FIXTURE_NO_ENTRY_PATH, "no VST 2.4 entry point"},
        {FIXTURE_REFUSING_PATH, "refused to load"},
    };
    for (const Case& c : cases) {
        const auto result = runCommand(shellQuote(VSTHOST_PATH) + " " + shellQuote(c.plugin));
        EXPECT_EQ(result.exitCode, 3) << c.plugin << "\n" << result.output;
        EXPECT_NE(result.output.find(c.expected), std::string::npos) << result.output;
    }
}

}  // namespace
