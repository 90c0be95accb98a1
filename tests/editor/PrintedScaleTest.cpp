// A printed scale tells the truth: every mark found in the panel artwork lies
// within a pixel of where its control puts that value. Filter handles are
// found in the editor's own rendering, knob pointers in the film strip; the
// trim's place follows from the slider's rectangle and handle. A needle on a
// numbered value leaves its numeral's ink untouched.

#include "base/ParameterIds.h"
#include "controls/CAnimKnob4.h"
#include "controls/CQORSlider.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "editor/BackPanel.h"
#include "editor/BackPanelKnobs.h"
#include "editor/CQORMeterFULLPANEL.h"
#include "editor/CQORPPMMeter2.h"
#include "editor/CQORRMSMeter2.h"
#include "editor/CQORVUMeter2.h"
#include "editor/EditorGeometry.h"
#include "editor/TemepleteEditor.h"
#include "platform/Resources.h"
#include "tests/editor/OffscreenEditor.h"
#include "tests/support/TempDir.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/OffscreenRender.h"
#include "toolkit/PixelBuffer.h"
#include "tools/vsthost/PluginHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

using namespace VSTGUI;
namespace geo = editor;

constexpr int kMarkContrast = 40;  // a mark is clearly brighter than the metal around it
constexpr double kTolerancePx = 1.0;
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

PixelBuffer resourceImage(int id)
{
    const platform::ResourceBytes bytes = platform::pngResource(id);
    return PixelBuffer::fromPng(bytes.data, bytes.size);
}

double luma(const PixelBuffer& image, int x, int y)
{
    const CColor c = image.getPixel(x, y);
    return (c.red * 3 + c.green * 6 + c.blue) / 10.0;
}

// Brightness between pixel centres, for marks off the pixel grid.
double lumaAt(const PixelBuffer& image, double x, double y)
{
    const int x0 = static_cast<int>(std::floor(x - 0.5));
    const int y0 = static_cast<int>(std::floor(y - 0.5));
    const double fx = x - 0.5 - x0;
    const double fy = y - 0.5 - y0;
    return (1 - fy) * ((1 - fx) * luma(image, x0, y0) + fx * luma(image, x0 + 1, y0)) +
           fy * ((1 - fx) * luma(image, x0, y0 + 1) + fx * luma(image, x0 + 1, y0 + 1));
}

// Centres of the bright runs of a line of pixels, `at(i)` giving the i-th.
template <typename Luma>
std::vector<double> markCentres(int from, int count, Luma at)
{
    double darkest = 255;
    for (int i = 0; i < count; ++i)
        darkest = std::min(darkest, at(from + i));
    std::vector<double> centres;
    for (int i = 0; i < count;) {
        const int first = i;
        while (i < count && at(from + i) - darkest >= kMarkContrast)
            ++i;
        if (i > first)
            centres.push_back(from + (first + i) / 2.0);
        else
            ++i;
    }
    return centres;
}

double nearest(const std::vector<double>& marks, double where)
{
    double best = 1e9;
    for (double m : marks)
        best = std::abs(m - where) < std::abs(best - where) ? m : best;
    return best;
}

// The brightness-weighted direction (degrees clockwise from up) of what is
// brightest on a ring around (cx, cy), within `spread` of `around`.
double brightestDirection(const PixelBuffer& image, double cx, double cy, double radius, double around,
                          double spread)
{
    std::vector<std::pair<double, double>> samples;
    double darkest = 255;
    double brightest = 0;
    for (double d = around - spread; d <= around + spread; d += 0.25) {
        const double l = lumaAt(image, cx + radius * std::sin(d / kDegreesPerRadian),
                                cy - radius * std::cos(d / kDegreesPerRadian));
        samples.emplace_back(d, l);
        darkest = std::min(darkest, l);
        brightest = std::max(brightest, l);
    }
    double sum = 0;
    double weight = 0;
    for (const auto& [d, l] : samples)
        if (l > (darkest + brightest) / 2) {
            sum += d * (l - (darkest + brightest) / 2);
            weight += l - (darkest + brightest) / 2;
        }
    return weight > 0 ? sum / weight : around + 2 * spread;
}

class PrintedScale : public OffscreenEditor {
protected:
    void SetUp() override { openWith({param::kProcess, param::kShowStrips, param::kShowFilters}); }

    PixelBuffer renderEditor()
    {
        const std::string path = folder.path() + "/editor.png";
        EXPECT_TRUE(renderToPng(*editor->getFrame(), path));
        std::ifstream in(path, std::ios::binary);
        const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
        return PixelBuffer::fromPng(bytes.data(), bytes.size());
    }

    void checkFilterScales();
    void checkTrimScale();
    void checkKnobScales();
    void checkNumeralsClearOfNeedles();

    testing_support::TempDir folder;
};

// Filter sliders: each mark lies under the handle at its frequency.
void PrintedScale::checkFilterScales()
{
    struct Scale {
        VstInt32 index;
        geo::Rect slider;
        double baseHz;  // parameters 11 and 14: base x 100^value Hz
        std::vector<double> marksHz;
    };
    const Scale scales[] = {
        {param::kHighPassFrequency, geo::strip::kHighPassSlider, 20.0, {20, 50, 100, 200, 500, 1000, 2000}},
        {param::kLowPassFrequency, geo::strip::kLowPassSlider, 300.0, {300, 1000, 2000, 5000, 10000, 20000, 30000}},
    };
    const PixelBuffer strip = resourceImage(geo::bitmap::kVuFilterStrip);
    ASSERT_TRUE(strip.isValid());
    for (const Scale& s : scales) {
        const std::vector<double> ticks = markCentres(s.slider.left, s.slider.right - s.slider.left,
                                                      [&](int x) { return luma(strip, x, s.slider.bottom + 1); });
        EXPECT_EQ(ticks.size(), s.marksHz.size()) << "marks printed under slider " << s.index;
        for (double hz : s.marksHz) {
            effect->setParameter(s.index, static_cast<float>(std::log(hz / s.baseHz) / std::log(100.0)));
            const PixelBuffer shot = renderEditor();
            ASSERT_TRUE(shot.isValid());
            // The handle: where the window differs from the bare strip, in rows
            // the frequency text above it never reaches.
            int left = -1;
            int right = -1;
            for (int x = s.slider.left; x < s.slider.right; ++x)
                for (int y = s.slider.top + 12; y < s.slider.top + 28; ++y)
                    if (luma(shot, x, geo::kFrontPanelHeight + y) != luma(strip, x, y)) {
                        left = left < 0 ? x : left;
                        right = x + 1;
                        break;
                    }
            ASSERT_GE(left, 0) << "no handle drawn for " << hz << " Hz";
            const double centre = (left + right) / 2.0;
            EXPECT_NEAR(nearest(ticks, centre), centre, kTolerancePx) << hz << " Hz";
        }
    }
}

// Trim: each mark lies where the slider puts the handle's centre at its level.
void PrintedScale::checkTrimScale()
{
    const PixelBuffer front = resourceImage(geo::bitmap::kVuFrontPanel);
    CQORSliderAH* trim = editor->getPanel(0)->getControls().trimSlider;
    ASSERT_TRUE(front.isValid() && trim && trim->getHandle());
    const CRect box = trim->getViewSize();
    const double handleHeight = trim->getHandle()->getHeight();
    const int column = static_cast<int>(box.left + box.getWidth() / 2) - 6;  // left of the slot
    const std::vector<double> ticks = markCentres(static_cast<int>(box.top), static_cast<int>(box.getHeight()),
                                                  [&](int y) { return luma(front, column, y); });
    const int levelsDb[] = {-20, -15, -10, -5, 0, 5, 10, 15, 20};
    EXPECT_EQ(ticks.size(), std::size(levelsDb));
    for (int dB : levelsDb) {
        const double value = (dB + 20) * 0.025;  // the trim's -20..+20 dB law
        const double centre = box.top + (1.0 - value) * (box.getHeight() - handleHeight) + handleHeight / 2.0;
        EXPECT_NEAR(nearest(ticks, centre), centre, kTolerancePx) << dB << " dB";
    }
}

// Knobs: each printed position lies on the pointer the film strip shows for it.
void PrintedScale::checkKnobScales()
{
    constexpr double kCentreX = 21.5;      // of a knob's 43 x 41 frame
    constexpr double kCentreY = 19.5;
    constexpr double kPointerRadius = 8.0;  // on the pointer, inside the cap
    constexpr double kDotRadius = 17.5;     // the ring of printed dots
    const PixelBuffer filmStrip = resourceImage(geo::bitmap::kKnobFilmStrip);
    ASSERT_TRUE(filmStrip.isValid());
    for (int meter = 0; meter < 3; ++meter) {
        const PixelBuffer back = resourceImage(geo::bitmap::kBackPanel[meter]);
        BackPanel* panel = editor->getPanel(meter)->getBackPanel();
        ASSERT_TRUE(back.isValid() && panel);
        for (int tag = 72; tag <= 100; ++tag) {
            auto* knob = dynamic_cast<CAnimKnob4*>(panel->getControl(tag));
            if (!knob)
                continue;
            // Frames shown at the printed values: every position of a stepped
            // knob, tenths of the range of a plain one.
            auto* stepped = dynamic_cast<CSteppedKnob*>(knob);
            std::vector<int> frames;
            for (int i = 0; i <= 1000; i += stepped ? 1 : 100) {
                knob->setValue(i / 1000.0F);
                const int frame = stepped ? stepped->shownFrame() : knob->frameIndex();
                if (frames.empty() || frames.back() != frame)
                    frames.push_back(frame);
            }
            const CRect box = knob->getViewSize();
            for (int frame : frames) {
                const double pointer = brightestDirection(filmStrip, kCentreX, frame * box.getHeight() + kCentreY,
                                                          kPointerRadius, 0.0, 180.0);
                const double mark = brightestDirection(back, box.left + kCentreX, box.top + kCentreY, kDotRadius,
                                                       pointer, 10.0);
                EXPECT_LE(std::abs(mark - pointer) / kDegreesPerRadian * kDotRadius, kTolerancePx)
                    << "knob " << tag << ", frame " << frame << ": pointer " << pointer << ", mark " << mark;
            }
        }
    }
}

// Numerals: a needle and hold mark resting on a numbered value leave every
// pixel of printed ink outside the ticks as it was with the needle far away.
void PrintedScale::checkNumeralsClearOfNeedles()
{
    constexpr double kTickMarginPx = 5.0;   // the ticks end this far inside the hold mark's end
    constexpr double kWindowRad = 0.14;     // about a numeral's width either side of its value
    constexpr double kInkContrast = 60.0;   // printed ink against the face around it
    struct Meter {
        const geo::MeterViewGeometry& g;
        std::vector<int> numberedDb;
    };
    const Meter meters[] = {
        {geo::kVuView, {-20, -10, -7, -5, -3, -2, -1, 0, 1, 2, 3}},
        {geo::kRmsView, {-40, -30, -20, -15, -10, -5, 0, 3, 6}},
        {geo::kPpmView, {-12, -8, -4, 0, 4, 8, 12}},
    };
    for (int meter = 0; meter < 3; ++meter) {
        effect->setParameter(param::kMeter, meter * 0.5F);
        CQORMeter2* view = editor->getPanel(meter)->getControls().leftView;
        ASSERT_TRUE(view && editor->getPanel(meter)->isShown());
        view->setShowHold(true);
        const auto readingOf = [](int dB) { return static_cast<float>(std::pow(10.0, dB / 20.0)); };
        const auto show = [&](int dB) {
            const float reading = readingOf(dB);
            if (auto* vu = dynamic_cast<CQORVUMeter2*>(view))
                vu->setReadings(reading, reading);
            else if (auto* rms = dynamic_cast<CQORRMSMeter2*>(view))
                rms->setReadings(reading, reading, reading);
            else if (auto* ppm = dynamic_cast<CQORPPMMeter2*>(view))
                ppm->setReadings(reading, reading);
            view->setDirty(true);  // as the panel's refresh does
            return renderEditor();
        };
        const auto angleOf = [&](int dB) {
            const float reading = readingOf(dB);
            return meter == 0 ? geo::vuAngleRadians(reading)
                              : meter == 1 ? geo::rmsAngleRadians(reading) : geo::ppmAngleRadians(reading);
        };
        const geo::MeterViewGeometry& g = meters[meter].g;
        const std::vector<int>& values = meters[meter].numberedDb;
        const CPoint pivot = view->needlePoint(0.0, 0.0);
        const CRect box = view->getViewSize();
        for (int dB : values) {
            int far = values.front();
            for (int v : values)
                far = std::abs(angleOf(v) - angleOf(dB)) > std::abs(angleOf(far) - angleOf(dB)) ? v : far;
            const PixelBuffer away = show(far);
            const PixelBuffer on = show(dB);
            ASSERT_TRUE(away.isValid() && on.isValid());
            // Pixels outside the ticks around the value's direction; the face
            // is what most of them show, ink what stands out from it.
            std::vector<std::pair<int, int>> around;
            std::vector<double> lumas;
            for (int y = static_cast<int>(box.top); y < box.bottom; ++y)
                for (int x = static_cast<int>(box.left); x < box.right; ++x) {
                    const double dx = x + 0.5 - pivot.x;
                    const double dy = pivot.y - (y + 0.5);
                    if (std::hypot(dx, dy) >= g.r3 - kTickMarginPx &&
                        std::abs(std::atan2(dy, dx) - angleOf(dB)) < kWindowRad) {
                        around.emplace_back(x, y);
                        lumas.push_back(luma(away, x, y));
                    }
                }
            ASSERT_FALSE(lumas.empty());
            std::nth_element(lumas.begin(), lumas.begin() + lumas.size() / 2, lumas.end());
            const double face = lumas[lumas.size() / 2];
            int inked = 0;
            int struck = 0;
            for (const auto& [x, y] : around)
                if (std::abs(luma(away, x, y) - face) > kInkContrast) {
                    ++inked;
                    struck += luma(on, x, y) != luma(away, x, y) ? 1 : 0;
                }
            EXPECT_GT(inked, 0) << "meter " << meter << ": no numeral at " << dB << " dB";
            EXPECT_EQ(struck, 0) << "meter " << meter << ": the needle at " << dB << " dB strikes its numeral";
        }
    }
}

TEST_F(PrintedScale, EveryMarkLiesWithinAPixelOfWhereItsControlPutsTheValue)
{
    checkFilterScales();
    checkTrimScale();
    checkKnobScales();
}

TEST_F(PrintedScale, ANeedleOnANumberedMarkNeverStrikesItsNumeral) { checkNumeralsClearOfNeedles(); }

}  // namespace
