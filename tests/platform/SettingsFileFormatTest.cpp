#include "platform/SettingsFileFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::SettingsDocument;
using platform::SettingsValueType;

TEST(SettingsFileFormat, EveryByteSurvivesInNamesStringsAndBinaries)
{
    std::string allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes += static_cast<char>(b);

    SettingsDocument document;
    auto& section = document.sectionFor("SOFTWARE\\Test\\Key");
    platform::storeSettingsValue(section, {allBytes, SettingsValueType::String, allBytes});
    platform::storeSettingsValue(section, {"raw", SettingsValueType::Binary, allBytes});
    platform::storeSettingsValue(section, {"empty", SettingsValueType::Binary, ""});
    const std::string text = platform::formatSettings(document);

    const SettingsDocument back = platform::parseSettings(text);
    EXPECT_EQ(back.corruptLines, 0);
    const auto* key = back.findSection("software\\test\\KEY");
    ASSERT_NE(key, nullptr);
    const auto* named = platform::findSettingsValue(*key, allBytes);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->type, SettingsValueType::String);
    EXPECT_EQ(named->bytes, allBytes);
    const auto* raw = platform::findSettingsValue(*key, "RAW");
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->type, SettingsValueType::Binary);
    EXPECT_EQ(raw->bytes, allBytes);
    const auto* empty = platform::findSettingsValue(*key, "empty");
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->bytes.empty());
}

TEST(SettingsFileFormat, OneReadableLinePerValue)
{
    SettingsDocument document;
    auto& section = document.sectionFor("SOFTWARE\\Test\\Key");
    platform::storeSettingsValue(section, {"Level", SettingsValueType::Binary, std::string("\x00\x00\x80\x3f", 4)});
    platform::storeSettingsValue(section, {"Path", SettingsValueType::String, "a \"b\"\n"});
    const std::string text = platform::formatSettings(document);
    EXPECT_NE(text.find("[SOFTWARE\\Test\\Key]\n\"Level\" binary 0000803f\n\"Path\" string \"a \\\"b\\\"\\n\"\n"),
              std::string::npos)
        << text;
}

TEST(SettingsFileFormat, KeepsParsableLinesAndCountsTheRest)
{
    const std::string text = "\"orphan\" binary 00\n"        // before any key
                             "[K]\n"
                             "\"a\" binary 0102\n"
                             "\"b\" binary 012\n"             // odd digit count
                             "\"c\" binary zz\n"
                             "\"d\" string \"open\n"         // unterminated
                             "\"e\" string \"bad \\q\"\n"    // unknown escape
                             "\"f\" dword 1\n"
                             "\"g\" string \"ok\" trailing\n"
                             "  # comment\r\n"
                             "\"h\" string \"fine\"\r\n"
                             "\"a\" binary 03\n";            // repeated: the later line wins
    const SettingsDocument document = platform::parseSettings(text);
    EXPECT_EQ(document.corruptLines, 7);
    const auto* key = document.findSection("K");
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->values.size(), 2u);
    EXPECT_EQ(platform::findSettingsValue(*key, "a")->bytes, "\x03");
    EXPECT_EQ(platform::findSettingsValue(*key, "h")->bytes, "fine");
}

}  // namespace
