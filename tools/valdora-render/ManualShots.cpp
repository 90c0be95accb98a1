#include "tools/valdora-render/RenderModes.h"

#include "base/ParameterIds.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "tools/valdora-render/OffscreenEditor.h"
#include "tools/vsthost/PluginHost.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kRateHz = 44100.0F;
constexpr int kBlockFrames = 512;
constexpr double kTonePeak = 0.1;  // -20 dBFS
constexpr double kToneSeconds = 1.5;
constexpr const char* kMeterNames[] = {"vu", "rms", "ppm"};

// A 1 kHz tone, the right channel 3 dB lower, fed on from where it stopped.
void feedTone(Templete& effect, long long& samplesFed)
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
        float* channels[] = {left.data(), right.data()};
        effect.processReplacing(channels, channels, kBlockFrames);
    }
}

void showStrips(Templete& effect, bool shown)
{
    effect.setParameter(param::kShowFilters, shown ? 1.0F : 0.0F);
    effect.setParameter(param::kShowLabel, shown ? 1.0F : 0.0F);
    effect.setParameter(param::kShowStrips, shown ? 1.0F : 0.0F);
}

}  // namespace

bool renderManual(const std::string& outDir, double scale)
{
    Templete effect(host::hostCallback, makeTemepleteEditor);
    effect.setSampleRate(kRateHz);
    effect.dispatcher(effMainsChanged, 0, 1, nullptr, 0.0F);
    effect.setParameter(param::kProcess, 1.0F);
    showStrips(effect, false);
    OffscreenEditor shots(effect, scale);
    long long samplesFed = 0;
    bool written = true;
    auto write = [&](const std::string& name) {
        const std::string path = outDir + "/" + name + ".png";
        if (!shots.write(path)) {
            std::fprintf(stderr, "valdora-render: cannot write %s\n", path.c_str());
            written = false;
        }
    };
    auto selectMeter = [&](int meter) {
        effect.setParameter(param::kMeter, meter * 0.5F);
        feedTone(effect, samplesFed);
        shots.idle();
    };
    for (int meter = 0; meter < 3; ++meter) {
        selectMeter(meter);
        write("front-" + std::string(kMeterNames[meter]));
        shots.toggleBackPanel();
        write("back-" + std::string(kMeterNames[meter]));
        shots.toggleBackPanel();
    }
    effect.setParameter(param::kProcessFilters, 1.0F);
    effect.setParameter(param::kHighPassStatus, 1.0F);
    showStrips(effect, true);
    shots.idle();
    selectMeter(1);
    write("window-strips");
    return written;
}

}  // namespace render
