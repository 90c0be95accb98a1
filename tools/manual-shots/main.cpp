// manual-shots OUTDIR: the editor drawn offscreen over a real effect that
// measures a steady tone, as the pictures of the user manual: each meter's
// front panel (front-vu.png, front-rms.png, front-ppm.png), each meter's
// back panel (back-vu.png, ...), and the whole window with the filter and
// label strips open (window-strips.png).

#include "controls/CQORMeterSelectorControl.h"
#include "core/ParameterIds.h"
#include "core/Templete.h"
#include "core/EditorFactory.h"
#include "editor/TemepleteEditor.h"
#include "toolkit/CButtonState.h"
#include "toolkit/CFrame.h"
#include "toolkit/OffscreenRender.h"
#include "tools/vsthost/PluginHost.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kRateHz = 44100.0F;
constexpr int kBlockFrames = 512;
constexpr double kTonePeak = 0.1;  // -20 dBFS
constexpr double kToneSeconds = 1.5;
constexpr const char* kMeterNames[] = {"vu", "rms", "ppm"};

class ShotBench {
public:
    ShotBench() : effect(std::make_unique<Templete>(host::hostCallback, makeTemepleteEditor))
    {
        editor = dynamic_cast<TemepleteEditor*>(effect->getEditor());
        effect->setSampleRate(kRateHz);
        effect->dispatcher(effMainsChanged, 0, 1, nullptr, 0.0F);
        effect->setParameter(param::kProcess, 1.0F);
    }

    bool open() { return editor && editor->openOffscreen(); }

    void selectMeter(int meter)
    {
        effect->setParameter(param::kMeter, meter * 0.5F);
        feedTone();
        editor->idle();
    }

    // Where a user clicks to turn the panel round: the middle of the selector.
    void toggleBackPanel()
    {
        CControl* selector = editor->getPanel(editor->getCurrentMeter())->getControls().meterSelector;
        CPoint where = selector->getViewSize().getCenter();
        selector->localToFrame(where);
        frame().onMouseDown(where, CButtonState(kLButton));
        frame().onMouseUp(where, CButtonState(kLButton));
        editor->idle();
    }

    void showStrips(bool shown)
    {
        effect->setParameter(param::kShowFilters, shown ? 1.0F : 0.0F);
        effect->setParameter(param::kShowLabel, shown ? 1.0F : 0.0F);
        effect->setParameter(param::kShowStrips, shown ? 1.0F : 0.0F);
        editor->idle();
    }

    void setParameter(VstInt32 index, float value) { effect->setParameter(index, value); }

    bool write(const std::filesystem::path& path)
    {
        const bool written = renderToPng(frame(), path.string());
        std::printf("%s %s\n", written ? "wrote" : "could not write", path.c_str());
        return written;
    }

private:
    CFrame& frame() { return *editor->getFrame(); }

    void feedTone()
    {
        std::vector<float> left(kBlockFrames);
        std::vector<float> right(kBlockFrames);
        const int blocks = static_cast<int>(kToneSeconds * kRateHz / kBlockFrames);
        for (int b = 0; b < blocks; ++b) {
            for (int i = 0; i < kBlockFrames; ++i) {
                const double t = (static_cast<double>(samplesFed) + i) / kRateHz;
                left[static_cast<size_t>(i)] = static_cast<float>(kTonePeak * std::sin(2.0 * kPi * 1000.0 * t));
                right[static_cast<size_t>(i)] = 0.7F * left[static_cast<size_t>(i)];
            }
            samplesFed += kBlockFrames;
            float* inputs[] = {left.data(), right.data()};
            float* outputs[] = {left.data(), right.data()};
            effect->processReplacing(inputs, outputs, kBlockFrames);
        }
    }

    std::unique_ptr<Templete> effect;
    TemepleteEditor* editor = nullptr;
    long long samplesFed = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    const bool scaled = argc == 4 && std::strcmp(argv[2], "--scale") == 0;
    const double scale = scaled ? std::strtod(argv[3], nullptr) : 1.0;
    if ((argc != 2 && !scaled) || (scale != 1.0 && scale != 1.5 && scale != 2.0)) {
        std::fputs("usage: manual-shots OUTDIR [--scale 1|1.5|2]\n", stderr);
        return 2;
    }
    // The pictures of a 2x editor print sharp at the page's width.
    AEffGUIEditor::setScaleOverride(scale);
    const std::filesystem::path dir(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    ShotBench bench;
    bench.showStrips(false);
    if (!bench.open()) {
        std::fputs("manual-shots: the editor did not open\n", stderr);
        return 1;
    }
    bool written = true;
    for (int meter = 0; meter < 3; ++meter) {
        bench.selectMeter(meter);
        written = bench.write(dir / ("front-" + std::string(kMeterNames[meter]) + ".png")) && written;
        bench.toggleBackPanel();
        written = bench.write(dir / ("back-" + std::string(kMeterNames[meter]) + ".png")) && written;
        bench.toggleBackPanel();
    }
    bench.setParameter(param::kProcessFilters, 1.0F);
    bench.setParameter(param::kHighPassStatus, 1.0F);
    bench.showStrips(true);
    bench.selectMeter(1);
    written = bench.write(dir / "window-strips.png") && written;
    return written ? 0 : 1;
}
