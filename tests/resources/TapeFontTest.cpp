// The tape typeface shipped beside the manual: a TrueType font whose family
// and face name are the one the editor asks the system for.

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string kFontDir = std::string(VALDORA_SOURCE_DIR) + "/resources/font";

class TapeFont : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FT_Init_FreeType(&library_), 0);
        ASSERT_EQ(FT_New_Face(library_, (kFontDir + "/QORValdora.qsf").c_str(), 0, &face_), 0);
    }
    void TearDown() override
    {
        if (face_ != nullptr)
            FT_Done_Face(face_);
        if (library_ != nullptr)
            FT_Done_FreeType(library_);
    }

    // A Windows-platform naming record as UTF-16BE decoded to ASCII.
    std::string windowsName(FT_UShort nameId) const
    {
        const FT_UInt count = FT_Get_Sfnt_Name_Count(face_);
        for (FT_UInt i = 0; i < count; ++i) {
            FT_SfntName n;
            if (FT_Get_Sfnt_Name(face_, i, &n) != 0 || n.platform_id != TT_PLATFORM_MICROSOFT ||
                n.name_id != nameId)
                continue;
            std::string text;
            for (FT_UInt b = 1; b < n.string_len; b += 2)
                text += static_cast<char>(n.string[b]);
            return text;
        }
        return {};
    }

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

TEST_F(TapeFont, FamilyAndFaceNameAreQorValdora)
{
    EXPECT_STREQ(face_->family_name, "QORValdora");
    EXPECT_EQ(windowsName(TT_NAME_ID_FONT_FAMILY), "QORValdora");
    EXPECT_EQ(windowsName(TT_NAME_ID_FULL_NAME), "QORValdora");
}

TEST_F(TapeFont, IsAScalableTrueTypeFontWithLatinLetters)
{
    EXPECT_TRUE(FT_IS_SFNT(face_));
    EXPECT_TRUE(FT_IS_SCALABLE(face_));
    // A track name is typed in: every printable ASCII letter and digit must have a glyph.
    for (char c = '0'; c <= 'z'; ++c) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            EXPECT_NE(FT_Get_Char_Index(face_, static_cast<FT_ULong>(c)), 0U) << c;
        }
    }
}

TEST(TapeFontLicence, ShipsBesideTheFont)
{
    std::ifstream licence(kFontDir + "/LICENSE.txt");
    ASSERT_TRUE(licence.good());
    const std::string text{std::istreambuf_iterator<char>(licence), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("Open Font License"), std::string::npos);
}

}  // namespace
