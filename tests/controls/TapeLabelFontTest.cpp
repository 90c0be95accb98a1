// The strip label writes in the product's typeface from its font file, not
// in the toolkit's default face.

#include "controls/CQORCustomFont.h"
#include "controls/CQORTapeLabel.h"
#include "controls/QORCoreTextFont.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFontDesc.h"
#include "toolkit/PixelBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace VSTGUI;

namespace {

constexpr int kTapeWidth = 506;
constexpr int kTapeHeight = 34;
constexpr int kBelowTape = 10;  // room to see ink that runs off the tape

// Where the label's ink lands: one flag per pixel that is not the blank tape.
std::vector<bool> inkOf(CQORTapeLabel& label)
{
    PixelBuffer target(kTapeWidth, kTapeHeight + kBelowTape);
    CDrawContext context(target);
    label.draw(&context);
    std::vector<bool> ink;
    for (int y = 0; y < kTapeHeight + kBelowTape; ++y)
        for (int x = 0; x < kTapeWidth; ++x)
            ink.push_back(target.getPixel(x, y).alpha > 0);
    return ink;
}

int count(const std::vector<bool>& ink)
{
    int n = 0;
    for (bool b : ink)
        n += b ? 1 : 0;
    return n;
}

TEST(TapeLabelFont, WritesWithTheLoadedFileFontWhoseInkDiffersFromTheDefaultFace)
{
    CQORTapeLabel tape(CRect(0, 0, kTapeWidth, kTapeHeight), nullptr, nullptr);
    tape.setText("Lead Vox 2");
    CQORCustomFont* shared = CQORCustomFont::shared();
    ASSERT_NE(shared, nullptr);
    ASSERT_NE(tape.getFont(), nullptr);
    EXPECT_TRUE(tape.getFont()->isTypeOf("CQORCustomFont"));
    EXPECT_EQ(tape.getFont()->getPlatformFont(), shared->getCoreTextFont());

    const std::vector<bool> fileInk = inkOf(tape);
    EXPECT_TRUE(shared->getCoreTextFont()->isLoaded()) << "drawing loaded the face from its file";
    EXPECT_GT(count(fileInk), 100);

    SharedPointer<CFontDesc> plain(new CFontDesc("Sans", CQORCustomFont::kSize), false);
    tape.setFont(plain.get());
    const std::vector<bool> defaultInk = inkOf(tape);
    EXPECT_GT(count(defaultInk), 100) << "the default face draws too";
    int differing = 0;
    for (size_t i = 0; i < fileInk.size(); ++i)
        differing += fileInk[i] != defaultInk[i] ? 1 : 0;
    EXPECT_GT(differing, count(fileInk) / 4) << "the tape's writing is not the default face";
}

// The text is drawn 5 pixels down from the tape's top and clipped there: a
// capital that reaches that row has lost its top stroke.
TEST(TapeLabelFont, CapitalsAndDescendersFitOnTheTape)
{
    CQORTapeLabel tape(CRect(0, 0, kTapeWidth, kTapeHeight), nullptr, nullptr);
    tape.setText("Track gy TM");
    const std::vector<bool> ink = inkOf(tape);
    int top = kTapeHeight;
    int bottom = -1;
    for (int y = 0; y < kTapeHeight + kBelowTape; ++y)
        for (int x = 0; x < kTapeWidth; ++x)
            if (ink[static_cast<size_t>(y * kTapeWidth + x)]) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(bottom, 0) << "nothing drawn";
    EXPECT_GT(top, 6) << "capitals cut at the top (" << top << ")";
    EXPECT_LT(bottom, kTapeHeight) << "descenders run off the tape";
    EXPECT_GT(bottom - top, 20) << "written large enough to read";
}

}  // namespace
