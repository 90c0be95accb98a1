#include "tools/valdora-render/RenderModes.h"

#include "base/ParameterIds.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "editor/EditorGeometry.h"
#include "tools/valdora-render/OffscreenEditor.h"
#include "tools/vsthost/PluginHost.h"

#include <cstdio>
#include <string>

namespace render {

namespace {

constexpr const char* kMeterNames[editor::kMeterCount] = {"vu", "rms", "ppm"};
constexpr int kSelectorMiddleX = editor::front::kMeterSelector.x + 149 / 2;
constexpr int kSelectorMiddleY = editor::front::kMeterSelector.y + 11;
// An empty place of the back panel: a click there closes it.
constexpr int kEmptyX = 350;
constexpr int kEmptyY = 130;

void setStrips(Templete& effect, float strips, float filters, float label)
{
    effect.setParameter(param::kShowFilters, filters);
    effect.setParameter(param::kShowLabel, label);
    effect.setParameter(param::kShowStrips, strips);
}

}  // namespace

bool renderPanels(const std::string& outDir, double scale)
{
    Templete effect(host::hostCallback, &makeTemepleteEditor);
    // The clicks stay in editor pixels whatever the scale.
    OffscreenEditor shots(effect, scale);
    int failures = 0;
    auto write = [&](const std::string& name) {
        const std::string path = outDir + "/" + name + ".png";
        if (!shots.write(path)) {
            std::fprintf(stderr, "valdora-render: cannot write %s\n", path.c_str());
            ++failures;
        }
    };
    // Settings a user would have touched, so every control shows its active face.
    effect.setParameter(param::kProcess, 1.0F);
    effect.setParameter(param::kProcessFilters, 1.0F);
    effect.setParameter(param::kHighPassStatus, 1.0F);
    effect.setParameter(param::kHighPassFrequency, 0.3F);
    for (int meter = 0; meter < editor::kMeterCount; ++meter) {
        const std::string name = kMeterNames[meter];
        effect.setParameter(param::kMeter, meter * 0.5F);
        setStrips(effect, 1.0F, 1.0F, 1.0F);
        write("strips-expanded-" + name);
        shots.click(kSelectorMiddleX, kSelectorMiddleY);
        write("backpanel-" + name);
        shots.click(kEmptyX, kEmptyY);
        setStrips(effect, 1.0F, 0.0F, 0.0F);
        write("strips-compact-" + name);
        setStrips(effect, 0.0F, 0.0F, 0.0F);
        shots.click(kSelectorMiddleX, kSelectorMiddleY);
        write("backpanel-" + name + "-nostrips");
        shots.click(kEmptyX, kEmptyY);
    }
    return failures == 0;
}

}  // namespace render
