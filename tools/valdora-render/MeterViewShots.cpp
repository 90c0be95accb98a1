#include "tools/valdora-render/RenderModes.h"

#include "editor/CQORPPMMeter2.h"
#include "editor/CQORRMSMeter2.h"
#include "editor/CQORVUMeter2.h"
#include "editor/EditorGeometry.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/OffscreenRender.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace render {

namespace {

struct Shot {
    std::string name;
    float reading;
    float hold;
    int backlight;  // VU only
};

float fromDb(float dB) { return std::pow(10.0F, dB / 20.0F); }

CFrame* panelFrame(editor::Meter meter)
{
    auto* frame = new CFrame(CRect(0, 0, editor::kEditorWidth, editor::kFrontPanelHeight), nullptr, nullptr);
    auto* background = new CBitmap(CResourceDescription(editor::bitmap::kFrontPanel[static_cast<int>(meter)]));
    frame->setBackground(background);
    background->forget();
    return frame;
}

CPoint origin(editor::Point p) { return CPoint(p.x, p.y); }

template <class View, class Write>
bool renderAll(editor::Meter meter, const std::string& outDir, const std::string& prefix,
               const std::vector<Shot>& shots, Write write)
{
    bool ok = true;
    for (const Shot& shot : shots) {
        CFrame* frame = panelFrame(meter);
        auto* left = new View(origin(editor::kLeftViewOrigin), nullptr);
        auto* right = new View(origin(editor::kRightViewOrigin), nullptr);
        write(*left, shot);
        write(*right, shot);
        right->setShowHold(true);
        right->setOverState(CQORMeter2::kOverNow);
        frame->addView(left);
        frame->addView(right);
        const std::string path = outDir + "/" + prefix + "_" + shot.name + ".png";
        if (!renderToPng(*frame, path)) {
            std::fprintf(stderr, "valdora-render: cannot write %s\n", path.c_str());
            ok = false;
        }
        frame->close();
    }
    return ok;
}

}  // namespace

bool renderMeterViews(const std::string& outDir)
{
    const std::vector<Shot> rmsShots{{"minus40dB", fromDb(-40), fromDb(-30), 0}, {"minus20dB", fromDb(-20), fromDb(-10), 0},
                                     {"minus10dB", fromDb(-10), fromDb(-3), 0}, {"0dB", 1.0F, fromDb(3), 0},
                                     {"plus6dB", fromDb(6), fromDb(6), 0}, {"minus80dB", 1e-4F, fromDb(-50), 0}};
    const std::vector<Shot> ppmShots{{"minus24dB", 1.0F / 16.0F, fromDb(-18), 0}, {"minus12dB", fromDb(-12), fromDb(-6), 0},
                                     {"0dB", 1.0F, fromDb(4), 0}, {"plus6dB", 2.0F, fromDb(8), 0},
                                     {"plus8dB", fromDb(8), fromDb(8), 0}};
    const std::vector<Shot> vuShots{{"rest", -0.05F, 0.0F, 0}, {"zero", 0.0F, 0.5F, 1},
                                    {"half", 0.72F, 1.0F, 2}, {"reference", 1.0F, 1.44F, 3},
                                    {"fullscale", 1.44F, 1.5F, 4}, {"over", 1.5F, 1.5F, 4}};
    bool ok = renderAll<CQORRMSMeter2>(editor::Meter::rms, outDir, "rms", rmsShots,
                                       [](CQORRMSMeter2& view, const Shot& shot) {
                                           view.setReadings(shot.reading, shot.hold, shot.reading * 0.7F);
                                       });
    ok = renderAll<CQORPPMMeter2>(editor::Meter::ppm, outDir, "ppm", ppmShots,
                                  [](CQORPPMMeter2& view, const Shot& shot) {
                                      view.setReadings(shot.reading, shot.hold);
                                  }) && ok;
    ok = renderAll<CQORVUMeter2>(editor::Meter::vu, outDir, "vu", vuShots,
                                 [](CQORVUMeter2& view, const Shot& shot) {
                                     view.setReadings(shot.reading, shot.hold);
                                     view.setBacklight(shot.backlight);
                                 }) && ok;
    return ok;
}

}  // namespace render
