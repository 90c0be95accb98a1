#include "tools/valdora-meter/MeterRun.h"

#include "core/Templete.h"
#include "core/EditorFactory.h"
#include "editor/TemepleteEditor.h"
#include "toolkit/CFrame.h"
#include "toolkit/OffscreenRender.h"
#include "tools/valdora-meter/DemoSignal.h"
#include "tools/valdora-meter/EffectSetup.h"
#include "tools/valdora-meter/MeterReport.h"
#include "tools/valdora-meter/PanelReader.h"
#include "tools/vsthost/SoundFileReader.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace valdorameter {

namespace {

constexpr double kMsPerSecond = 1000.0;

void describeDemo(std::ostream& out, const DemoSignal& demo)
{
    out << "Demo signal:\n";
    for (const DemoSignal::Passage& passage : demo.passages()) {
        char line[160];
        std::snprintf(line, sizeof line, "  %6.2f - %6.2f s  %s\n", passage.startSec, passage.endSec,
                      passage.description.c_str());
        out << line;
    }
    out << '\n';
}

// The editor offscreen over the run's effect, idled where the panel reads,
// so its needles, hold marks and over lamps end where the panel's would.
class PanelPicture {
public:
    PanelPicture(Templete& effect, double scale) : editor(dynamic_cast<TemepleteEditor*>(effect.getEditor()))
    {
        AEffGUIEditor::setScaleOverride(scale);
        const bool opened = editor && editor->openOffscreen();
        AEffGUIEditor::setScaleOverride(0);
        if (!opened)
            throw std::runtime_error("the editor cannot be opened offscreen");
    }
    ~PanelPicture() { editor->close(); }
    PanelPicture(const PanelPicture&) = delete;
    PanelPicture& operator=(const PanelPicture&) = delete;

    void idle() { editor->idle(); }
    void write(const std::string& path)
    {
        editor->idle();
        if (!VSTGUI::renderToPng(*editor->getFrame(), path))
            throw std::runtime_error("cannot write " + path);
    }

private:
    TemepleteEditor* editor;
};

}  // namespace

int runMeter(const MeterOptions& options, std::ostream& out)
{
    const bool render = !options.renderPath.empty();
    auto effect = std::make_unique<Templete>(toolHost, render ? makeTemepleteEditor : nullptr);
    std::unique_ptr<vsthost::AudioSource> source;
    double rateHz = options.demoRateHz.value_or(MeterOptions::kDefaultDemoRateHz);
    if (!options.audioPath.empty()) {
        source = std::make_unique<vsthost::SoundFileReader>(options.audioPath);
        rateHz = source->sampleRate();
    }
    effect->setSampleRate(static_cast<float>(rateHz));
    configureEffect(*effect, options, options.meter);
    effect->resume();
    const double refDb = referenceDb(*effect);
    if (!source) {
        auto demo = std::make_unique<DemoSignal>(rateHz, std::pow(10.0, refDb / 20.0));
        describeDemo(out, *demo);
        source = std::move(demo);
    }
    const int meter = effect->selectedMeter();
    char heading[200];
    std::snprintf(heading, sizeof heading,
                  "%s, reference %.1f dBFS, %.0f Hz (meter timing at %.0f Hz), precise %s, %s, hold %s, lag %d ms\n\n",
                  MeterReport::meterName(meter), refDb, rateHz, effect->effectiveSampleRate(),
                  options.precise ? "on" : "off", options.midSide ? "M/S" : "L/R",
                  options.holdMode == 0 ? "off" : options.holdMode == 1 ? "infinite" : "on", options.lagMs);
    out << heading;

    MeterReport report(out, meter, options.csvPath);
    std::unique_ptr<PanelPicture> picture;
    if (render)
        picture = std::make_unique<PanelPicture>(*effect, options.renderScale);
    PanelReader reader(meter);
    const int frames = options.blockFrames;
    std::vector<float> left(static_cast<size_t>(frames));
    std::vector<float> right(static_cast<size_t>(frames));
    float* const buffers[] = {left.data(), right.data()};
    const bool mono = source->channels() == 1;
    const double intervalFrames = options.intervalMs / kMsPerSecond * rateHz;
    double nextReadingFrame = intervalFrames;
    long long processed = 0;
    for (;;) {
        const int count = source->read(buffers, frames);
        if (count <= 0)
            break;
        float* channels[] = {left.data(), mono ? left.data() : right.data()};
        effect->processReplacing(channels, channels, count);
        processed += count;
        if (static_cast<double>(processed) + 0.5 < nextReadingFrame)
            continue;
        // The panel reads at the end of the block that crossed the mark.
        report.add(static_cast<double>(processed) / rateHz, reader.read(*effect, 1.0));
        if (picture)
            picture->idle();
        while (nextReadingFrame <= static_cast<double>(processed) + 0.5)
            nextReadingFrame += intervalFrames;
    }
    if (picture) {
        picture->write(options.renderPath);
        picture.reset();
    }
    effect->suspend();
    return report.finish() ? kExitOk : kExitFile;
}

}  // namespace valdorameter
