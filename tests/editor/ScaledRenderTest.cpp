// The editor drawn offscreen at 2x against the same editor at 1x: filtered
// down it is the same picture, and it has detail the 1x picture enlarged
// cannot have (images drawn anew at the size, text and needles as vectors).

#include <gtest/gtest.h>

#include "base/ParameterIds.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "editor/TemepleteEditor.h"
#include "toolkit/CFrame.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using namespace VSTGUI;

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Grey levels of the whole editor, all strips shown, at `scale`.
struct Grey {
    int width = 0;
    int height = 0;
    std::vector<double> levels;
    double at(int x, int y) const { return levels[static_cast<size_t>(y * width + x)]; }
};

Grey render(double scale, float meter)
{
    Templete effect(quietHost, &makeTemepleteEditor);
    effect.setParameter(param::kMeter, meter);
    effect.setParameter(param::kShowFilters, 1.0F);
    effect.setParameter(param::kShowLabel, 1.0F);
    effect.setParameter(param::kShowStrips, 1.0F);
    auto* editor = dynamic_cast<TemepleteEditor*>(effect.getEditor());
    AEffGUIEditor::setScaleOverride(scale);
    const bool opened = editor && editor->openOffscreen();
    AEffGUIEditor::setScaleOverride(0);
    Grey grey;
    if (!opened)
        return grey;
    editor->idle();
    CFrame* frame = editor->getFrame();
    frame->invalid();
    frame->drawDirtyRegion();
    const PixelBuffer& pixels = frame->getBackBuffer();
    grey.width = pixels.getWidth();
    grey.height = pixels.getHeight();
    for (int y = 0; y < grey.height; ++y)
        for (int x = 0; x < grey.width; ++x) {
            const CColor c = pixels.getPixel(x, y);
            grey.levels.push_back(0.3 * c.red + 0.59 * c.green + 0.11 * c.blue);
        }
    editor->close();
    return grey;
}

// Sum of the differences between neighbours along both axes: blur lowers it.
double edgeEnergy(const Grey& g)
{
    double sum = 0;
    for (int y = 0; y + 1 < g.height; ++y)
        for (int x = 0; x + 1 < g.width; ++x)
            sum += std::fabs(g.at(x + 1, y) - g.at(x, y)) + std::fabs(g.at(x, y + 1) - g.at(x, y));
    return sum;
}

// The 1x picture enlarged to 2x as a renderer would stretch it (bilinear).
Grey enlarged(const Grey& small)
{
    Grey big{2 * small.width, 2 * small.height, {}};
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x) {
            const double sx = std::clamp((x + 0.5) / 2 - 0.5, 0.0, small.width - 1.0);
            const double sy = std::clamp((y + 0.5) / 2 - 0.5, 0.0, small.height - 1.0);
            const int x0 = static_cast<int>(sx);
            const int y0 = static_cast<int>(sy);
            const int x1 = std::min(x0 + 1, small.width - 1);
            const int y1 = std::min(y0 + 1, small.height - 1);
            const double fx = sx - x0;
            const double fy = sy - y0;
            big.levels.push_back((small.at(x0, y0) * (1 - fx) + small.at(x1, y0) * fx) * (1 - fy) +
                                 (small.at(x0, y1) * (1 - fx) + small.at(x1, y1) * fx) * fy);
        }
    return big;
}

TEST(ScaledRender, TwiceTheSizeFilteredDownMatchesScaleOneAndIsSharperThanItEnlarged)
{
    for (const float meter : {0.0F, 0.5F, 1.0F}) {
        SCOPED_TRACE(meter);
        const Grey one = render(1.0, meter);
        const Grey two = render(2.0, meter);
        ASSERT_EQ(two.width, 2 * one.width);
        ASSERT_EQ(two.height, 2 * one.height);
        double difference = 0;
        for (int y = 0; y < one.height; ++y)
            for (int x = 0; x < one.width; ++x) {
                const double box = (two.at(2 * x, 2 * y) + two.at(2 * x + 1, 2 * y) + two.at(2 * x, 2 * y + 1) +
                                    two.at(2 * x + 1, 2 * y + 1)) / 4;
                difference += std::fabs(box - one.at(x, y));
            }
        EXPECT_LT(difference / (one.width * one.height), 3.0) << "mean grey level difference";
        const double sharpness = edgeEnergy(two) / edgeEnergy(enlarged(one));
        RecordProperty("sharpness", std::to_string(sharpness));
        EXPECT_GT(sharpness, 1.2) << "edge energy of the 2x picture over the 1x picture enlarged";
    }
}

}  // namespace
