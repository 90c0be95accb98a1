#include "ToolkitProbes.h"

#include "toolkit/CAnimKnob.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CHorizontalSwitch.h"
#include "toolkit/CMovieBitmap.h"
#include "toolkit/CTextLabel.h"
#include "toolkit/PixelBuffer.h"

#include <gtest/gtest.h>

namespace toolkit_test {
namespace {

constexpr int kKnobWidth = 43;
constexpr int kKnobFrameHeight = 41;
constexpr int kKnobFrames = 51;

// An offscreen frame with a white background view, released at the end.
class OffscreenFrame {
public:
    explicit OffscreenFrame(CCoord width = 200, CCoord height = 100)
        : frame(new CFrame(CRect(0, 0, width, height), nullptr, nullptr))
    {
        frame->setBackgroundColor(kWhiteCColor);
    }
    ~OffscreenFrame() { frame->close(); }
    OffscreenFrame(const OffscreenFrame&) = delete;
    OffscreenFrame& operator=(const OffscreenFrame&) = delete;

    CColor pixelAfterIdle(int x, int y)
    {
        frame->idle();
        return frame->getBackBuffer().getPixel(x, y);
    }

    CFrame* frame;
};

TEST(FilmStrip, AnimKnobUsesEveryFrameOfItsBitmapWhateverPositionCountItIsGiven)
{
    CBitmap* strip = makeFilmStrip(kKnobWidth, kKnobFrameHeight, kKnobFrames);
    auto* knob = new CAnimKnob(CRect(0, 0, kKnobWidth, kKnobFrameHeight), nullptr, 72, 3, kKnobFrameHeight, strip);
    strip->forget();
    EXPECT_EQ(knob->getNumSubPixmaps(), kKnobFrames);
    knob->forget();
}

TEST(FilmStrip, AnimKnobFloorsTheValueToAFrame)
{
    OffscreenFrame screen;
    CBitmap* strip = makeFilmStrip(kKnobWidth, kKnobFrameHeight, kKnobFrames);
    auto* knob = new CAnimKnob(CRect(10, 10, 10 + kKnobWidth, 10 + kKnobFrameHeight), nullptr, 1, 51,
                               kKnobFrameHeight, strip);
    strip->forget();
    screen.frame->addView(knob);
    // Frame = floor(value x 50 x 41) snapped down to a frame top: 0.51 shows 25, not the rounded 26.
    const std::vector<std::pair<float, int>> cases{{0.f, 0}, {1.f, 50}, {0.5f, 25}, {0.499f, 24}, {0.51f, 25}};
    for (const auto& [value, expectedFrame] : cases) {
        knob->setValue(value);
        EXPECT_TRUE(near(screen.pixelAfterIdle(30, 30), frameColor(expectedFrame)))
            << "value " << value << " expected frame " << expectedFrame;
    }
}

TEST(FilmStrip, MovieBitmapAndSwitchRoundToTheNearestFrame)
{
    OffscreenFrame screen;
    CBitmap* strip = makeFilmStrip(20, 10, 3);
    auto* movie = new CMovieBitmap(CRect(0, 0, 20, 10), nullptr, 66, 3, 10, strip);
    auto* toggle = new CHorizontalSwitch(CRect(30, 0, 50, 10), nullptr, 5, 3, 10, 3, strip);
    strip->forget();
    screen.frame->addView(movie);
    screen.frame->addView(toggle);
    movie->setValue(0.74f);
    toggle->setValue(0.76f);
    EXPECT_TRUE(near(screen.pixelAfterIdle(5, 5), frameColor(1)));
    EXPECT_TRUE(near(screen.pixelAfterIdle(35, 5), frameColor(2)));
    movie->setValue(0.76f);
    EXPECT_TRUE(near(screen.pixelAfterIdle(5, 5), frameColor(2)));
}

TEST(Alpha, BitmapAlphaAndGlobalAlphaMultiply)
{
    PixelBuffer target(10, 10);
    CDrawContext context(target);
    context.setFillColor(kWhiteCColor);
    context.drawRect(CRect(0, 0, 10, 10), kDrawFilled);
    CBitmap* red = makeSolidBitmap(10, 10, MakeCColor(255, 0, 0));

    context.drawBitmap(red, CRect(0, 0, 5, 10), CPoint(0, 0), 0.5f);
    EXPECT_TRUE(near(target.getPixel(2, 5), MakeCColor(255, 128, 128))) << describe(target.getPixel(2, 5));

    context.setGlobalAlpha(0.5f);
    context.drawBitmap(red, CRect(5, 0, 10, 10), CPoint(0, 0), 0.5f);
    EXPECT_TRUE(near(target.getPixel(7, 5), MakeCColor(255, 191, 191))) << describe(target.getPixel(7, 5));
    red->forget();
}

TEST(Alpha, TranslucentBitmapPixelsBlendWithWhatIsBehind)
{
    PixelBuffer target(4, 4);
    CDrawContext context(target);
    context.setFillColor(MakeCColor(0, 0, 255));
    context.drawRect(CRect(0, 0, 4, 4), kDrawFilled);
    CBitmap* glass = makeSolidBitmap(4, 4, MakeCColor(255, 255, 255, 64));
    context.drawBitmap(glass, CRect(0, 0, 4, 4));
    EXPECT_TRUE(near(target.getPixel(1, 1), MakeCColor(64, 64, 255))) << describe(target.getPixel(1, 1));
    glass->forget();
}

// Sets half alpha for itself only; the container must not let it leak to later siblings.
class HalfAlphaView : public CView {
public:
    using CView::CView;
    void draw(CDrawContext* context) override
    {
        context->setGlobalAlpha(0.5f);
        context->setFillColor(kBlackCColor);
        context->drawRect(size, kDrawFilled);
    }
};

TEST(Alpha, GlobalAlphaSetByOneViewDoesNotReachItsSiblings)
{
    OffscreenFrame screen;
    screen.frame->addView(new HalfAlphaView(CRect(0, 0, 10, 10)));
    screen.frame->addView(new ProbeView(CRect(10, 0, 20, 10), "after", nullptr, kBlackCColor));
    EXPECT_TRUE(near(screen.pixelAfterIdle(5, 5), MakeCColor(128, 128, 128), 3));
    EXPECT_TRUE(near(screen.pixelAfterIdle(15, 5), kBlackCColor));
}

TEST(Bitmap, DrawsFromTheSourceOffset)
{
    PixelBuffer target(10, 10);
    CDrawContext context(target);
    CBitmap* strip = makeFilmStrip(10, 10, 4);
    strip->draw(&context, CRect(0, 0, 10, 10), CPoint(0, 20));
    EXPECT_TRUE(near(target.getPixel(5, 5), frameColor(2)));
    strip->forget();
}

TEST(Bitmap, LoadsPngBytesAndRejectsGarbage)
{
    const std::vector<unsigned char> png = pngBytes(7, 3, MakeCColor(10, 200, 30));
    CBitmap* good = new CBitmap(png.data(), png.size());
    EXPECT_TRUE(good->isLoaded());
    EXPECT_EQ(good->getWidth(), 7);
    EXPECT_EQ(good->getHeight(), 3);
    EXPECT_TRUE(near(good->getPixels().getPixel(6, 2), MakeCColor(10, 200, 30)));
    good->forget();

    const std::vector<unsigned char> truncated(png.begin(), png.begin() + static_cast<long>(png.size() / 2));
    const unsigned char garbage[] = {1, 2, 3, 4, 5};
    for (CBitmap* bad : {new CBitmap(truncated.data(), truncated.size()), new CBitmap(garbage, sizeof garbage),
                         new CBitmap(nullptr, 0), new CBitmap(CResourceDescription(424242))}) {
        EXPECT_FALSE(bad->isLoaded());
        EXPECT_EQ(bad->getWidth(), 0);
        PixelBuffer target(4, 4);
        CDrawContext context(target);
        bad->draw(&context, CRect(0, 0, 4, 4));
        EXPECT_EQ(target.getPixel(1, 1).alpha, 0);
        bad->forget();
    }
}

TEST(Lines, AntiAliasedLineHasItsColourAndWidth)
{
    PixelBuffer target(40, 20);
    CDrawContext context(target);
    context.setDrawMode(kAntiAliasing);
    context.setLineWidth(2.4);
    context.setFrameColor(MakeCColor(140, 118, 108));
    context.drawLine(CPoint(0, 10), CPoint(40, 10));
    EXPECT_TRUE(near(target.getPixel(20, 9), MakeCColor(140, 118, 108)));
    EXPECT_TRUE(near(target.getPixel(20, 10), MakeCColor(140, 118, 108)));
    // 2.4 px wide: the rows 1.2 px out are partly covered, beyond that nothing.
    const CColor edge = target.getPixel(20, 11);
    EXPECT_GT(edge.alpha, 0);
    EXPECT_LT(edge.alpha, 255);
    EXPECT_EQ(target.getPixel(20, 13).alpha, 0);
}

TEST(Text, DrawsInTheFontColourInsideItsRectangleOnly)
{
    OffscreenFrame screen;
    auto* label = new CTextLabel(CRect(10, 10, 110, 40), "Hello");
    label->setFontColor(kBlackCColor);
    label->setBackColor(kWhiteCColor);
    label->setStyle(kNoFrame);
    screen.frame->addView(label);
    screen.frame->idle();
    int dark = 0;
    const PixelBuffer& pixels = screen.frame->getBackBuffer();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (pixels.getPixel(x, y).red < 128) {
                ++dark;
                EXPECT_TRUE(CRect(10, 10, 110, 40).pointInside(CPoint(x, y))) << x << "," << y;
            }
    EXPECT_GT(dark, 20);
}

TEST(Text, StringWidthGrowsWithTheText)
{
    PixelBuffer target(10, 10);
    CDrawContext context(target);
    CFontDesc* font = new CFontDesc("Sans", 14);
    context.setFont(font);
    const CCoord one = context.getStringWidth("M");
    const CCoord three = context.getStringWidth("MMM");
    EXPECT_GT(one, 3);
    EXPECT_NEAR(three, 3 * one, 1.0);
    EXPECT_GT(font->getPlatformFont()->getAscent(), 0);
    EXPECT_GT(font->getPlatformFont()->getCapHeight(), 0);
    font->forget();
}

}  // namespace
}  // namespace toolkit_test
