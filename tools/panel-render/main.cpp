// panel-render OUTDIR: opens the real editor offscreen over an effect and
// writes, for each meter, its settings back panel (with the strips shown and
// hidden) and the whole window with both strips compact and both expanded,
// one PNG each. The frame is the window's own height, so only what a user
// sees is drawn. With --scale the pictures are those of a 1.5x or 2x editor.

#include "core/ParameterIds.h"
#include "core/Templete.h"
#include "core/EditorFactory.h"
#include "editor/EditorGeometry.h"
#include "editor/TemepleteEditor.h"
#include "toolkit/CFrame.h"
#include "toolkit/OffscreenRender.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

using namespace VSTGUI;

namespace {

constexpr const char* kMeterNames[editor::kMeterCount] = {"vu", "rms", "ppm"};
constexpr int kSelectorMiddleX = editor::front::kMeterSelector.x + 149 / 2;
constexpr int kSelectorMiddleY = editor::front::kMeterSelector.y + 11;

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

void click(CFrame& frame, int x, int y)
{
    CPoint down(x, y);
    frame.onMouseDown(down, CButtonState(kLButton));
    CPoint up(x, y);
    frame.onMouseUp(up, CButtonState(kLButton));
}

void setStrips(Templete& effect, float strips, float filters, float label)
{
    effect.setParameter(param::kShowFilters, filters);
    effect.setParameter(param::kShowLabel, label);
    effect.setParameter(param::kShowStrips, strips);
}

class Renderer {
public:
    explicit Renderer(std::string outDir) : outDir(std::move(outDir)) {}

    bool run()
    {
        Templete effect(quietHost, &makeTemepleteEditor);
        auto* editor = dynamic_cast<TemepleteEditor*>(effect.getEditor());
        if (!editor || !editor->openOffscreen()) {
            std::fprintf(stderr, "panel-render: the editor does not open offscreen\n");
            return false;
        }
        CFrame* frame = editor->getFrame();
        // Settings a user would have touched, so every control shows its active face.
        effect.setParameter(param::kProcess, 1.0F);
        effect.setParameter(param::kProcessFilters, 1.0F);
        effect.setParameter(param::kHighPassStatus, 1.0F);
        effect.setParameter(param::kHighPassFrequency, 0.3F);
        for (int meter = 0; meter < editor::kMeterCount; ++meter) {
            const std::string name = kMeterNames[meter];
            effect.setParameter(param::kMeter, meter * 0.5F);

            setStrips(effect, 1.0F, 1.0F, 1.0F);
            write(*frame, "strips-expanded-" + name);
            click(*frame, kSelectorMiddleX, kSelectorMiddleY);
            write(*frame, "backpanel-" + name);
            click(*frame, 350, 130);  // an empty place closes it

            setStrips(effect, 1.0F, 0.0F, 0.0F);
            write(*frame, "strips-compact-" + name);

            setStrips(effect, 0.0F, 0.0F, 0.0F);
            click(*frame, kSelectorMiddleX, kSelectorMiddleY);
            write(*frame, "backpanel-" + name + "-nostrips");
            click(*frame, 350, 130);
        }
        editor->close();
        return failures == 0;
    }

private:
    void write(CFrame& frame, const std::string& name)
    {
        const std::string path = outDir + "/" + name + ".png";
        if (renderToPng(frame, path)) {
            std::printf("%s\n", path.c_str());
        } else {
            std::fprintf(stderr, "panel-render: cannot write %s\n", path.c_str());
            ++failures;
        }
    }

    std::string outDir;
    int failures = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    const bool scaled = argc == 4 && std::strcmp(argv[2], "--scale") == 0;
    const double scale = scaled ? std::strtod(argv[3], nullptr) : 1.0;
    if ((argc != 2 && !scaled) || (scale != 1.0 && scale != 1.5 && scale != 2.0)) {
        std::fprintf(stderr, "usage: panel-render OUTDIR [--scale 1|1.5|2]\n");
        return 2;
    }
    // The pictures are drawn that many times larger; the clicks stay in editor pixels.
    AEffGUIEditor::setScaleOverride(scale);
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error) {
        std::fprintf(stderr, "panel-render: cannot create %s: %s\n", argv[1], error.message().c_str());
        return 2;
    }
    return Renderer(argv[1]).run() ? 0 : 1;
}
