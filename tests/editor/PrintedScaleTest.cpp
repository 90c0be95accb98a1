// A printed scale tells the truth: every mark found in the panel artwork lies
// within a pixel of where its control puts that value. The filter sliders'
// handles are found in the editor's own rendering; the trim's place follows
// from the slider's rectangle and handle.

#include "controls/CQORSlider.h"
#include "core/EditorFactory.h"
#include "core/ParameterIds.h"
#include "core/Templete.h"
#include "controls/CAnimKnob4.h"
#include "editor/BackPanel.h"
#include "editor/BackPanelKnobs.h"
#include "editor/EditorGeometry.h"
#include "editor/StripFiltersEditor.h"
#include "editor/StripFiltersSafeEditor.h"
#include "editor/TemepleteEditor.h"
#include "platform/Resources.h"
#include "tests/support/TempDir.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/OffscreenRender.h"
#include "tools/vsthost/PluginHost.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace VSTGUI;
namespace geo = editor;

// A mark is a line clearly brighter than the metal around it.
constexpr int kMarkContrast = 40;
constexpr double kTolerancePx = 1.0;

class Image {
public:
    explicit Image(cairo_surface_t* s) : surface(s) {}
    ~Image() { cairo_surface_destroy(surface); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    bool ok() const { return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface); }
    int height() const { return cairo_image_surface_get_height(surface); }
    // Brightness between pixel centres, for marks off the pixel grid.
    double lumaAt(double x, double y) const
    {
        const int x0 = static_cast<int>(std::floor(x - 0.5));
        const int y0 = static_cast<int>(std::floor(y - 0.5));
        const double fx = x - 0.5 - x0;
        const double fy = y - 0.5 - y0;
        return (1 - fy) * ((1 - fx) * luma(x0, y0) + fx * luma(x0 + 1, y0)) +
               fy * ((1 - fx) * luma(x0, y0 + 1) + fx * luma(x0 + 1, y0 + 1));
    }
    int luma(int x, int y) const
    {
        const auto* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
        std::uint32_t p;
        std::memcpy(&p, row + 4 * x, 4);
        return static_cast<int>(((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10;
    }
    std::uint32_t pixel(int x, int y) const
    {
        const auto* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
        std::uint32_t p;
        std::memcpy(&p, row + 4 * x, 4);
        return p;
    }

private:
    cairo_surface_t* surface;
};

struct Reader {
    const unsigned char* data;
    std::size_t size;
    std::size_t offset = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* out, unsigned int length)
{
    auto* r = static_cast<Reader*>(closure);
    if (r->size - r->offset < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data + r->offset, length);
    r->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

std::unique_ptr<Image> resourceImage(int id)
{
    const platform::ResourceBytes bytes = platform::pngResource(id);
    Reader reader{bytes.data, bytes.size};
    return std::make_unique<Image>(cairo_image_surface_create_from_png_stream(readBytes, &reader));
}

// Centres of the bright runs along a line of `count` pixels from `at(0)`.
template <typename Luma>
std::vector<double> markCentres(int count, Luma at)
{
    int darkest = 255;
    for (int i = 0; i < count; ++i)
        darkest = std::min(darkest, at(i));
    std::vector<double> centres;
    for (int i = 0; i < count;) {
        if (at(i) - darkest < kMarkContrast) {
            ++i;
            continue;
        }
        const int first = i;
        while (i < count && at(i) - darkest >= kMarkContrast)
            ++i;
        centres.push_back((first + i) / 2.0);  // pixel edges first..i: the run's middle
    }
    return centres;
}

double nearest(const std::vector<double>& marks, double where)
{
    double best = 1e9;
    for (double m : marks)
        if (std::abs(m - where) < std::abs(best - where))
            best = m;
    return best;
}

class PrintedScale : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::hostState().reset();
        effect = std::make_unique<Templete>(host::hostCallback, makeTemepleteEditor);
        editor = dynamic_cast<TemepleteEditor*>(effect->getEditor());
        ASSERT_NE(editor, nullptr);
        for (VstInt32 index : {param::kProcess, param::kShowStrips, param::kShowFilters})
            effect->setParameter(index, 1.0F);
        effect->setParameter(param::kMeter, 0.0F);
        ASSERT_TRUE(editor->openOffscreen());
    }
    void TearDown() override { effect.reset(); }

    std::unique_ptr<Image> renderEditor()
    {
        const std::string path = folder.path() + "/editor.png";
        EXPECT_TRUE(renderToPng(*editor->getFrame(), path));
        return std::make_unique<Image>(cairo_image_surface_create_from_png(path.c_str()));
    }

    testing_support::TempDir folder;
    std::unique_ptr<Templete> effect;
    TemepleteEditor* editor = nullptr;
};

TEST_F(PrintedScale, FilterMarksLieUnderTheHandleAtTheirFrequency)
{
    struct Scale {
        VstInt32 index;
        geo::Rect slider;
        double baseHz;
        std::vector<double> marksHz;
    };
    const Scale scales[] = {
        // Parameters 11 and 14: base x 100^value Hz.
        {param::kHighPassFrequency, geo::strip::kHighPassSlider, 20.0, {20, 50, 100, 200, 500, 1000, 2000}},
        {param::kLowPassFrequency, geo::strip::kLowPassSlider, 300.0, {300, 1000, 2000, 5000, 10000, 20000, 30000}},
    };
    const auto strip = resourceImage(geo::bitmap::kVuFilterStrip);
    ASSERT_TRUE(strip->ok());
    const int stripTop = geo::kFrontPanelHeight;
    for (const Scale& s : scales) {
        // The tick row just below the slider.
        const int tickRow = s.slider.bottom + 1;
        const int from = s.slider.left;
        const int count = s.slider.right - s.slider.left;
        std::vector<double> ticks = markCentres(count, [&](int i) { return strip->luma(from + i, tickRow); });
        for (double& t : ticks)
            t += from;
        EXPECT_EQ(ticks.size(), s.marksHz.size()) << "marks printed under slider " << s.index;
        for (double hz : s.marksHz) {
            effect->setParameter(s.index, static_cast<float>(std::log(hz / s.baseHz) / std::log(100.0)));
            const auto shot = renderEditor();
            ASSERT_TRUE(shot->ok());
            // The handle: where the window differs from the bare strip, in
            // rows the frequency text above it never reaches.
            int left = -1;
            int right = -1;
            for (int x = s.slider.left; x < s.slider.right; ++x)
                for (int y = s.slider.top + 12; y < s.slider.top + 28; ++y)
                    if (shot->pixel(x, stripTop + y) != strip->pixel(x, y)) {
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

TEST_F(PrintedScale, TrimMarksLieWhereTheSliderPutsTheirLevel)
{
    const auto front = resourceImage(geo::bitmap::kVuFrontPanel);
    ASSERT_TRUE(front->ok());
    CQORSliderAH* trim = editor->getPanel(0)->getControls().trimSlider;
    ASSERT_NE(trim, nullptr);
    ASSERT_NE(trim->getHandle(), nullptr);
    const CRect box = trim->getViewSize();
    const double handleHeight = trim->getHandle()->getHeight();
    // Left of the slot, where the ticks of every level reach.
    const int column = static_cast<int>(box.left + box.getWidth() / 2) - 6;
    std::vector<double> ticks = markCentres(static_cast<int>(box.getHeight()), [&](int i) {
        return front->luma(column, static_cast<int>(box.top) + i);
    });
    for (double& t : ticks)
        t += box.top;
    const int levelsDb[] = {-20, -15, -10, -5, 0, 5, 10, 15, 20};
    EXPECT_EQ(ticks.size(), std::size(levelsDb));
    for (int dB : levelsDb) {
        const double value = (dB + 20) * 0.025;  // the trim's -20..+20 dB law
        const double centre = box.top + (1.0 - value) * (box.getHeight() - handleHeight) + handleHeight / 2.0;
        EXPECT_NEAR(nearest(ticks, centre), centre, kTolerancePx) << dB << " dB";
    }
}

// Knob marks: each printed position's dot lies on the line of the pointer
// the film strip shows for that value.
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;
constexpr double kKnobCentreX = 21.5;
constexpr double kKnobCentreY = 19.5;
constexpr double kPointerRadius = 8.0;  // on the pointer, clear of the cap's rim
constexpr double kDotRadius = 17.5;     // the ring the panel prints its dots on
constexpr double kSearchDegrees = 10.0;

// The brightness-weighted direction (degrees clockwise from up) of what is
// brightest on a ring around (cx, cy), looking within `spread` of `around`.
double brightestDirection(const Image& image, double cx, double cy, double radius, double around, double spread)
{
    double darkest = 255;
    double brightest = 0;
    std::vector<std::pair<double, double>> samples;
    for (double d = around - spread; d <= around + spread; d += 0.25) {
        const double a = d / kDegreesPerRadian;
        const double l = image.lumaAt(cx + radius * std::sin(a), cy - radius * std::cos(a));
        samples.emplace_back(d, l);
        darkest = std::min(darkest, l);
        brightest = std::max(brightest, l);
    }
    const double half = (darkest + brightest) / 2;
    double sum = 0;
    double weight = 0;
    for (const auto& [d, l] : samples)
        if (l > half) {
            sum += d * (l - half);
            weight += l - half;
        }
    return weight > 0 ? sum / weight : around + 2 * spread;
}

TEST_F(PrintedScale, KnobMarksLieOnThePointerOfTheirValue)
{
    const auto filmStrip = resourceImage(geo::bitmap::kKnobFilmStrip);
    ASSERT_TRUE(filmStrip->ok());
    const int backgrounds[] = {geo::bitmap::kVuBackPanel, geo::bitmap::kRmsBackPanel, geo::bitmap::kPpmBackPanel};
    for (int meter = 0; meter < 3; ++meter) {
        effect->setParameter(param::kMeter, meter * 0.5F);
        BackPanel* panel = editor->getPanel(meter)->getBackPanel();
        ASSERT_NE(panel, nullptr);
        panel->toggle();
        const auto back = resourceImage(backgrounds[meter]);
        ASSERT_TRUE(back->ok());
        for (int tag = 72; tag <= 100; ++tag) {
            auto* knob = dynamic_cast<CAnimKnob4*>(panel->getControl(tag));
            if (!knob)
                continue;
            // The frames the knob shows at the values its scale prints: every
            // position of a stepped knob, tenths of the range of a plain one.
            std::vector<int> frames;
            auto* stepped = dynamic_cast<CSteppedKnob*>(knob);
            for (int i = 0; i <= 1000; i += stepped ? 1 : 100) {
                knob->setValue(i / 1000.0F);
                const int frame = stepped ? stepped->shownFrame() : knob->frameIndex();
                if (frames.empty() || frames.back() != frame)
                    frames.push_back(frame);
            }
            const CRect box = knob->getViewSize();
            for (int frame : frames) {
                const double frameTop = frame * box.getHeight();
                const double pointer = brightestDirection(*filmStrip, kKnobCentreX, frameTop + kKnobCentreY,
                                                          kPointerRadius, 0.0, 180.0);
                const double dot = brightestDirection(*back, box.left + kKnobCentreX, box.top + kKnobCentreY,
                                                      kDotRadius, pointer, kSearchDegrees);
                EXPECT_LE(std::abs(dot - pointer) / kDegreesPerRadian * kDotRadius, kTolerancePx)
                    << "knob " << tag << ", frame " << frame << ": pointer at " << pointer << " degrees, mark at "
                    << dot;
            }
        }
        panel->toggle();
    }
}

}  // namespace
