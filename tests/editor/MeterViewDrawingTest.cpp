// The meter views drawn offscreen: needles along the angles of their laws,
// hold marks and over LEDs for their states, the VU backlight frames and the
// cover strip, and what happens without images.

#include "editor/CQORPPMMeter2.h"
#include "editor/CQORRMSMeter2.h"
#include "editor/CQORVUMeter2.h"
#include "editor/EditorGeometry.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

using namespace VSTGUI;

constexpr CColor kBackground = MakeCColor(0, 0, 96, 255);
constexpr CColor kPpmNeedle = MakeCColor(229, 218, 202, 255);
constexpr CColor kPpmHold = MakeCColor(220, 0, 0, 255);
constexpr CColor kVuNeedle = MakeCColor(50, 45, 30, 255);
constexpr CColor kRmsPeak = MakeCColor(237, 230, 201, 255);
constexpr CColor kRmsTipOverCream = MakeCColor(171, 32, 28, 255);  // 160,0,0 at alpha 220 over the cream needle
constexpr double kDegree = editor::kPi / 180.0;
const CPoint kOrigin(12, 18);

int distance(CColor a, CColor b)
{
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

// A frame-sized offscreen frame in a plain colour, with one view in it.
class Screen {
public:
    Screen() : frame(new CFrame(CRect(0, 0, 300, 200), nullptr, nullptr))
    {
        frame->setBackgroundColor(kBackground);
    }
    ~Screen() { frame->close(); }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    template <class View>
    View* add(View* view)
    {
        frame->addView(view);
        return view;
    }
    void draw()
    {
        frame->invalid();
        frame->idle();
    }
    CColor pixel(int x, int y) const { return frame->getBackBuffer().getPixel(x, y); }
    // The pixel nearest to `colour` in the 3 x 3 block around a point.
    int closest(const CPoint& p, CColor colour) const
    {
        int best = std::numeric_limits<int>::max();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                best = std::min(best, distance(pixel(static_cast<int>(p.x) + dx, static_cast<int>(p.y) + dy), colour));
        return best;
    }
    bool inked(const CPoint& p) const { return closest(p, kBackground) > 0 && !blank(p); }
    bool blank(const CPoint& p) const
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (distance(pixel(static_cast<int>(p.x) + dx, static_cast<int>(p.y) + dy), kBackground) > 6)
                    return false;
        return true;
    }

    CFrame* frame;
};

// The view clips its drawing, so only points well inside it are sampled.
bool showsInside(const CQORMeter2& view, const CPoint& p)
{
    const CRect& r = view.getViewSize();
    return p.x > r.left + 2 && p.x < r.right - 2 && p.y > r.top + 2 && p.y < r.bottom - 2;
}

// Samples along the needle at `angle` between two radii: each matches `colour`.
void expectLine(const Screen& screen, const CQORMeter2& view, double angle, double from, double to, CColor colour,
                int tolerance = 30)
{
    int sampled = 0;
    for (double r = from; r <= to; r += 4.0) {
        const CPoint p = view.needlePoint(angle, r);
        if (!showsInside(view, p))
            continue;
        ++sampled;
        EXPECT_LE(screen.closest(p, colour), tolerance)
            << "at radius " << r << ", angle " << angle / kDegree << " degrees";
    }
    EXPECT_GE(sampled, 3) << "too little of the needle shows to judge it";
}

// Nothing drawn along `angle` between two radii.
void expectNothing(const Screen& screen, const CQORMeter2& view, double angle, double from, double to)
{
    for (double r = from; r <= to; r += 4.0)
        EXPECT_TRUE(screen.blank(view.needlePoint(angle, r)))
            << "at radius " << r << ", angle " << angle / kDegree << " degrees";
}

// A bitmap of `frames` frames stacked vertically; frame i is body(i) with
// its bottom `footHeight` rows in foot(i).
CColor bodyColour(int i) { return MakeCColor(static_cast<uint8_t>(40 * i + 20), 200, static_cast<uint8_t>(10 * i), 255); }
CColor footColour(int i) { return MakeCColor(static_cast<uint8_t>(30 * i), 40, 250, 255); }
CBitmap* makeStack(int width, int frameHeight, int frames, int footHeight)
{
    auto* bitmap = new CBitmap(width, frameHeight * frames);
    PixelBuffer& pixels = const_cast<PixelBuffer&>(bitmap->getPixels());
    CDrawContext context(pixels);
    for (int i = 0; i < frames; ++i) {
        const CCoord top = frameHeight * i;
        context.setFillColor(bodyColour(i));
        context.drawRect(CRect(0, top, width, top + frameHeight - footHeight), kDrawFilled);
        context.setFillColor(footColour(i));
        context.drawRect(CRect(0, top + frameHeight - footHeight, width, top + frameHeight), kDrawFilled);
    }
    return bitmap;
}

TEST(PpmView, NeedleLiesAlongTheAngleOfItsReading)
{
    for (const float reading : {1.0F, 2.0F, 0.125F, 0.0001F, 32.0F}) {
        Screen screen;
        auto* view = screen.add(new CQORPPMMeter2(kOrigin, nullptr));
        view->setReadings(reading, reading);
        screen.draw();
        const double angle = editor::ppmAngleRadians(reading);
        expectLine(screen, *view, angle, 40.0, 116.0, kPpmNeedle);
        // The view clips at its bottom edge, so sample only where it shows.
        expectNothing(screen, *view, angle + 7.0 * kDegree, 60.0, 116.0);
        expectNothing(screen, *view, angle - 7.0 * kDegree, 60.0, 116.0);
    }
}

TEST(PpmView, HoldMarkOnlyWhenHoldIsShown)
{
    Screen screen;
    auto* view = screen.add(new CQORPPMMeter2(kOrigin, nullptr));
    view->setReadings(0.25F, 2.0F);
    const double holdAngle = editor::ppmAngleRadians(2.0F);
    screen.draw();
    expectNothing(screen, *view, holdAngle, 60.0, 120.0);

    view->setShowHold(true);
    view->setDirty();
    screen.draw();
    expectLine(screen, *view, holdAngle, editor::kPpmView.r2 + 1.0, editor::kPpmView.r3 - 1.0, kPpmHold);
    // The mark is only the outer end.
    expectNothing(screen, *view, holdAngle, 60.0, editor::kPpmView.r2 - 4.0);
}

TEST(RmsView, PeakNeedleIsCreamInsideAndRedAtItsTip)
{
    Screen screen;
    auto* view = screen.add(new CQORRMSMeter2(kOrigin, nullptr));
    view->setReadings(1.0F, 1.0F, 0.0001F);
    screen.draw();
    const double angle = editor::rmsAngleRadians(1.0F);
    expectLine(screen, *view, angle, 40.0, editor::kRmsView.r2 - 3.0, kRmsPeak);
    expectLine(screen, *view, angle, editor::kRmsView.r2 + 3.0, editor::kRmsView.r1 - 3.0, kRmsTipOverCream);
    expectNothing(screen, *view, angle + 7.0 * kDegree, 60.0, 110.0);
}

TEST(RmsView, RmsNeedleHasItsOwnAngleWithADarkCore)
{
    Screen screen;
    auto* view = screen.add(new CQORRMSMeter2(kOrigin, nullptr));
    const float rms = std::pow(10.0F, -20.0F / 20.0F);
    view->setReadings(0.0001F, 0.0001F, rms);
    screen.draw();
    const double angle = editor::rmsAngleRadians(rms);
    for (double r = 40.0; r < editor::kRmsView.r1 - 3.0; r += 4.0) {
        const CPoint p = view->needlePoint(angle, r);
        EXPECT_TRUE(screen.inked(p)) << r;
        // Brown at the edges, near black at the core: never the peak's cream.
        EXPECT_GT(screen.closest(p, kRmsPeak), 150) << r;
    }
    expectNothing(screen, *view, angle - 7.0 * kDegree, 60.0, 110.0);
}

TEST(RmsView, LowReadingIsHeldAtTheStop)
{
    Screen screen;
    auto* view = screen.add(new CQORRMSMeter2(kOrigin, nullptr));
    view->setReadings(1e-4F, 1e-4F, 1e-4F);
    screen.draw();
    expectLine(screen, *view, 145.0 * kDegree, 40.0, 90.0, kRmsPeak);
}

TEST(VuView, NeedleFollowsTheLawOverItsScale)
{
    for (const float reading : {-0.05F, 0.0F, 1.0F, 1.44F, 1.5F}) {
        Screen screen;
        auto* view = screen.add(new CQORVUMeter2(kOrigin, nullptr));
        CBitmap* plain = makeStack(250, 122, 5, 0);
        view->setScaleBitmap(plain);
        plain->forget();
        view->setReadings(reading, reading);
        screen.draw();
        const double angle = editor::vuAngleRadians(reading);
        // Above the cover strip only, which hides the needle's root.
        expectLine(screen, *view, angle, 66.0, 130.0, kVuNeedle);
        for (double r = 60.0; r <= 130.0; r += 4.0) {
            const CPoint off = view->needlePoint(angle + 7.0 * kDegree, r);
            EXPECT_LE(screen.closest(off, bodyColour(0)), 0) << r;
        }
    }
}

TEST(VuView, BacklightPicksTheScaleFrameAndItsCoverStrip)
{
    for (int step = 0; step < editor::kVuBacklightSteps; ++step) {
        Screen screen;
        auto* view = screen.add(new CQORVUMeter2(kOrigin, nullptr));
        CBitmap* stack = makeStack(250, 122, 5, 6);
        view->setScaleBitmap(stack);
        stack->forget();
        view->setBacklight(step);
        view->setReadings(0.72F, 0.72F);
        screen.draw();
        EXPECT_LE(distance(screen.pixel(12 + 20, 18 + 20), bodyColour(step)), 3) << step;
        // The needle passes the bottom strip, but the strip is drawn over it.
        const double angle = editor::vuAngleRadians(0.72F);
        const double radiusAtStrip = (editor::kVuView.pivotY - 119.0) / std::sin(angle);
        const CPoint root = view->needlePoint(angle, radiusAtStrip);
        EXPECT_LE(distance(screen.pixel(static_cast<int>(root.x), static_cast<int>(root.y)), footColour(step)), 3)
            << step;
    }
}

TEST(VuView, BacklightStepsAreLimitedAndFollowTheSetting)
{
    CQORVUMeter2 view(kOrigin, nullptr);
    view.setBacklight(9);
    EXPECT_EQ(view.getBacklight(), 4);
    view.setBacklight(-2);
    EXPECT_EQ(view.getBacklight(), 0);
    EXPECT_EQ(CQORVUMeter2::backlightForSetting(0.0F), 0);
    EXPECT_EQ(CQORVUMeter2::backlightForSetting(0.375F), 2);  // 1.5 rounds up
    EXPECT_EQ(CQORVUMeter2::backlightForSetting(0.36F), 1);
    EXPECT_EQ(CQORVUMeter2::backlightForSetting(1.0F), 4);
    EXPECT_EQ(CQORVUMeter2::backlightForSetting(std::nanf("")), 0);
}

TEST(OverLed, EachStateShowsItsFrameOfTheLedImage)
{
    Screen screen;
    auto* view = screen.add(new CQORPPMMeter2(kOrigin, nullptr));
    CBitmap* led = view->getOverLedBitmap();
    ASSERT_NE(led, nullptr) << "the LED image is one of the library's resources";
    const CRect ledRect = view->getLedRect();
    EXPECT_EQ(ledRect, CRect(12 + 210, 18 + 14, 12 + 230, 18 + 34));
    const int cx = 10;
    const int cy = 10;
    // The three frames must differ where we look, or the test proves nothing.
    ASSERT_GT(distance(led->getPixels().getPixel(cx, cy), led->getPixels().getPixel(cx, cy + 40)), 30);
    ASSERT_GT(distance(led->getPixels().getPixel(cx, cy + 20), led->getPixels().getPixel(cx, cy + 40)), 30);

    const std::pair<int, int> states[]{{-1, 0}, {0, 20}, {1, 40}, {5, 40}, {-7, 0}};
    for (const auto& [state, sourceTop] : states) {
        view->setOverState(state);
        view->setDirty();
        screen.draw();
        const CColor source = led->getPixels().getPixel(cx, cy + sourceTop);
        const CColor shown = screen.pixel(static_cast<int>(ledRect.left) + cx, static_cast<int>(ledRect.top) + cy);
        ASSERT_EQ(source.alpha, 255);
        EXPECT_LE(distance(shown, source), 6) << "state " << state;
    }
}

TEST(MissingImages, ViewsDrawNothingWithoutTheirImages)
{
    Screen screen;
    auto* ppm = screen.add(new CQORPPMMeter2(kOrigin, nullptr));
    ppm->setOverLedBitmap(nullptr);
    ppm->setReadings(1.0F, 1.0F);
    ppm->setShowHold(true);
    auto* vu = screen.add(new CQORVUMeter2(CPoint(0, 0), nullptr));
    vu->setScaleBitmap(nullptr);
    vu->setReadings(1.0F, 1.0F);
    screen.draw();
    for (int y = 0; y < 200; y += 3)
        for (int x = 0; x < 300; x += 3)
            ASSERT_LE(distance(screen.pixel(x, y), kBackground), 0) << x << "," << y;
    EXPECT_FALSE(ppm->isDirty());
    EXPECT_FALSE(vu->isDirty());
}

TEST(Redraw, SameReadingsDrawTheSamePicture)
{
    Screen screen;
    auto* view = screen.add(new CQORRMSMeter2(kOrigin, nullptr));
    view->setReadings(0.5F, 0.9F, 0.3F);
    view->setShowHold(true);
    view->setOverState(0);
    screen.draw();
    std::vector<CColor> first;
    for (int y = 18; y < 134; ++y)
        for (int x = 12; x < 262; ++x)
            first.push_back(screen.pixel(x, y));
    view->setDirty();
    screen.draw();
    size_t i = 0;
    for (int y = 18; y < 134; ++y)
        for (int x = 12; x < 262; ++x)
            ASSERT_EQ(distance(screen.pixel(x, y), first[i++]), 0) << x << "," << y;
}

}  // namespace
