// The custom font: loaded from its file on first use, measured and drawn
// offscreen; and where its file is looked for.

#include "controls/CQORCustomFont.h"
#include "controls/CustomFontPath.h"
#include "controls/QORCoreTextFont.h"
#include "tests/support/TempDir.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/PixelBuffer.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace VSTGUI;

namespace {

const std::string kSourceFont = std::string(VALDORA_SOURCE_DIR) + "/resources/font/QORValdora.qsf";

int inkedPixels(const PixelBuffer& buffer)
{
    int count = 0;
    for (int y = 0; y < buffer.getHeight(); ++y)
        for (int x = 0; x < buffer.getWidth(); ++x)
            count += buffer.getPixel(x, y).alpha > 0 ? 1 : 0;
    return count;
}

void touch(const std::string& path) { std::ofstream(path) << "x"; }

}  // namespace

TEST(CoreTextFont, MetricsAreUnknownUntilFirstUseThenScaleWithTheEm)
{
    SharedPointer<QORCoreTextFont> font(new QORCoreTextFont(kSourceFont, 38.0, 0), false);
    EXPECT_EQ(font->getAscent(), -1.0);
    EXPECT_EQ(font->getDescent(), -1.0);
    EXPECT_EQ(font->getLeading(), -1.0);
    EXPECT_FALSE(font->isLoaded()) << "a metric query must not load the file";

    EXPECT_GT(font->getStringWidth(nullptr, "ABC"), 0.0);
    ASSERT_TRUE(font->isLoaded());
    // The em is 28.5 pt; a cell is roughly an em high, never several.
    EXPECT_GT(font->getAscent(), 28.5 * 0.5);
    EXPECT_LT(font->getAscent(), 28.5 * 1.5);
    EXPECT_GT(font->getDescent(), 0.0);
    EXPECT_GE(font->getLeading(), font->getAscent() + font->getDescent() - 1e-9);
    EXPECT_EQ(font->getCapHeight(), -1.0);
    EXPECT_DOUBLE_EQ(font->getEmSizePx(), 38.0);
}

TEST(CoreTextFont, WidthGrowsWithTheTextAndWithTheSize)
{
    SharedPointer<QORCoreTextFont> font(new QORCoreTextFont(kSourceFont, 38.0, 0), false);
    SharedPointer<QORCoreTextFont> smaller(new QORCoreTextFont(kSourceFont, 20.0, 0), false);
    const double one = font->getStringWidth(nullptr, "Kick");
    const double two = font->getStringWidth(nullptr, "Kick Drum");
    EXPECT_GT(one, 0.0);
    EXPECT_GT(two, one);
    EXPECT_LT(smaller->getStringWidth(nullptr, "Kick"), one);
    EXPECT_EQ(font->getStringWidth(nullptr, ""), 0.0);
    EXPECT_EQ(font->getStringWidth(nullptr, nullptr), 0.0);
    // Malformed UTF-8 is measured, not trusted.
    EXPECT_GE(font->getStringWidth(nullptr, "\xC3\x28\xFF"), 0.0);
}

TEST(CoreTextFont, DrawingPutsInkAboveTheBaselinePointInTheFontColour)
{
    PixelBuffer target(300, 80);
    CDrawContext context(target);
    SharedPointer<QORCoreTextFont> font(new QORCoreTextFont(kSourceFont, 38.0, 0), false);
    context.setFontColor(MakeCColor(200, 10, 10, 255));
    font->drawString(&context, "Vocals", CPoint(10, 70));
    const int ink = inkedPixels(target);
    EXPECT_GT(ink, 200);
    // The cell's top sits at y + 1 - height, so nothing reaches below the baseline point by much.
    int below = 0;
    for (int y = 72; y < 80; ++y)
        for (int x = 0; x < 300; ++x)
            below += target.getPixel(x, y).alpha > 0 ? 1 : 0;
    EXPECT_EQ(below, 0);
    bool red = false;
    for (int y = 0; y < 80 && !red; ++y)
        for (int x = 0; x < 300 && !red; ++x) {
            const CColor c = target.getPixel(x, y);
            red = c.alpha == 255 && c.red > 150 && c.green < 60;
        }
    EXPECT_TRUE(red);
}

TEST(CoreTextFont, MissingFileDrawsNothingMeasuresZeroAndKeepsMetricsUnknown)
{
    PixelBuffer target(100, 60);
    CDrawContext context(target);
    SharedPointer<QORCoreTextFont> font(new QORCoreTextFont("/nonexistent/QORValdora.qsf", 38.0, 0), false);
    font->drawString(&context, "abc", CPoint(5, 50));
    EXPECT_EQ(inkedPixels(target), 0);
    EXPECT_EQ(font->getStringWidth(&context, "abc"), 0.0);
    EXPECT_EQ(font->getAscent(), -1.0);
}

TEST(CoreTextFont, NotAFontFileIsAMissingFont)
{
    testing_support::TempDir dir;
    const std::string path = dir.path() + "/QORValdora.qsf";
    std::ofstream(path) << "not a font";
    SharedPointer<QORCoreTextFont> font(new QORCoreTextFont(path, 38.0, 0), false);
    EXPECT_EQ(font->getStringWidth(nullptr, "abc"), 0.0);
    EXPECT_FALSE(font->isLoaded());
}

TEST(CoreTextFont, OneStyleOnlyWithTheLaterFlagWinning)
{
    EXPECT_EQ(QORCoreTextFont::styleFromFlags(0), QORCoreTextFont::kRegular);
    EXPECT_EQ(QORCoreTextFont::styleFromFlags(kBoldFace), QORCoreTextFont::kBold);
    EXPECT_EQ(QORCoreTextFont::styleFromFlags(kBoldFace | kItalicFace), QORCoreTextFont::kItalic);
    EXPECT_EQ(QORCoreTextFont::styleFromFlags(kBoldFace | kItalicFace | kUnderlineFace), QORCoreTextFont::kUnderline);
    SharedPointer<QORCoreTextFont> bold(new QORCoreTextFont(kSourceFont, 38.0, kBoldFace), false);
    SharedPointer<QORCoreTextFont> regular(new QORCoreTextFont(kSourceFont, 38.0, 0), false);
    EXPECT_GT(bold->getStringWidth(nullptr, "Bass"), regular->getStringWidth(nullptr, "Bass"));
}

TEST(CustomFont, SharedFontIsTheFileFontAt38WhateverTheToolkitAsks)
{
    CQORCustomFont* font = CQORCustomFont::shared();
    ASSERT_NE(font, nullptr);
    EXPECT_STREQ(font->getName(), "doesn't matter");
    EXPECT_EQ(font->getSize(), 38.0);
    EXPECT_EQ(font->getStyle(), 0);
    EXPECT_EQ(font->getPlatformFont(), font->getCoreTextFont());
    EXPECT_DOUBLE_EQ(font->getCoreTextFont()->getSize(), 38.0);

    // A draw context asked for another size draws with a copy that keeps the same face.
    PixelBuffer target(300, 80);
    CDrawContext context(target);
    context.setFont(font, 12);
    EXPECT_EQ(context.getFont()->getPlatformFont(), font->getCoreTextFont());
    context.setFontColor(kBlackCColor);
    context.drawString("Snare", CRect(0, 0, 300, 80), kLeftText);
    EXPECT_GT(inkedPixels(target), 0);
    EXPECT_GT(context.getStringWidth("Snare"), 0.0);
}

TEST(CustomFontPath, FolderOfTheManualWhateverTheLengthOfItsName)
{
    // The manual's name is not 36 characters long: cutting a fixed length would miss the folder.
    EXPECT_EQ(customfont::fontPathBesideManual(std::string("/opt/qor/manual.pdf")), "/opt/qor/QORValdora.qsf");
    EXPECT_EQ(customfont::fontPathBesideManual(std::string("/opt/qor/QOR Valdora User Manual v3.0.1 (English).pdf")),
              "/opt/qor/QORValdora.qsf");
    EXPECT_EQ(customfont::fontPathBesideManual(std::string("C:\\Program Files\\QOR\\Manual.pdf")),
              "C:\\Program Files\\QOR\\QORValdora.qsf");
    EXPECT_EQ(customfont::fontPathBesideManual(std::string("C:\\Docs/mixed\\m.pdf")), "C:\\Docs/mixed\\QORValdora.qsf");
}

TEST(CustomFontPath, MissingValueOrNoFolderGivesTheBareFileName)
{
    EXPECT_EQ(customfont::fontPathBesideManual(std::nullopt), "QORValdora.qsf");
    EXPECT_EQ(customfont::fontPathBesideManual(std::string("")), "QORValdora.qsf");
    EXPECT_EQ(customfont::fontPathBesideManual(std::string("manual.pdf")), "QORValdora.qsf");
    EXPECT_EQ(customfont::fontPathBesideManual(std::string("/manual.pdf")), "/QORValdora.qsf");
}

TEST(CustomFontPath, BesideTheManualFirstThenTheFirstFallbackThatExists)
{
    testing_support::TempDir manualDir;
    testing_support::TempDir dataDir;
    const std::string manual = manualDir.path() + "/manual.pdf";
    const std::string installed = dataDir.path() + "/QORValdora.qsf";
    const std::vector<std::string> fallbacks{"/nonexistent/QORValdora.qsf", installed};

    EXPECT_EQ(customfont::resolveFontPath(manual, fallbacks), manualDir.path() + "/QORValdora.qsf")
        << "with no file anywhere the path beside the manual stands";
    touch(installed);
    EXPECT_EQ(customfont::resolveFontPath(manual, fallbacks), installed);
    EXPECT_EQ(customfont::resolveFontPath(std::nullopt, fallbacks), installed);
    touch(manualDir.path() + "/QORValdora.qsf");
    EXPECT_EQ(customfont::resolveFontPath(manual, fallbacks), manualDir.path() + "/QORValdora.qsf");
}

TEST(CustomFontPath, BuildsFallBackToTheSourceTreesFont)
{
    const std::vector<std::string> fallbacks = customfont::defaultFallbackPaths();
    ASSERT_GE(fallbacks.size(), 2u);
    for (std::size_t i = 0; i + 1 < fallbacks.size(); ++i)
        EXPECT_NE(fallbacks[i].find("/share/qor-valdora/QORValdora.qsf"), std::string::npos) << fallbacks[i];
    EXPECT_EQ(fallbacks.back(), kSourceFont);
    // The test's private settings hold no ManualPath, so the shared font came from a fallback and loads.
    EXPECT_GT(CQORCustomFont::shared()->getCoreTextFont()->getStringWidth(nullptr, "x"), 0.0);
}
