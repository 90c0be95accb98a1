// valdora-render: the editor drawn into PNG files, one mode a purpose.
//   valdora-render panels OUTDIR [--scale S]  back panels and strips of each meter
//   valdora-render views OUTDIR               meter views over their panels at set readings
//   valdora-render manual OUTDIR [--scale S]  the user manual's pictures
//   valdora-render window PLUGIN OUTDIR       the editor as a host shows it (needs DISPLAY)
// S is 1, 1.5 or 2: the pictures of an editor that many times its size.
#include "tools/valdora-render/RenderModes.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool scalable = mode == "panels" || mode == "manual";
    const bool scaled = scalable && argc == 5 && std::string(argv[3]) == "--scale";
    const double scale = scaled ? std::strtod(argv[4], nullptr) : 1.0;
    const bool known = scalable || mode == "views" || mode == "window";
    if (!known || (argc != (mode == "window" ? 4 : 3) && !scaled) || (scale != 1.0 && scale != 1.5 && scale != 2.0)) {
        std::fputs("usage: valdora-render panels|manual OUTDIR [--scale 1|1.5|2]\n"
                   "       valdora-render views OUTDIR\n"
                   "       valdora-render window PLUGIN.so OUTDIR\n",
                   stderr);
        return 2;
    }
    const std::string outDir = mode == "window" ? argv[3] : argv[2];
    std::error_code madeDir;
    std::filesystem::create_directories(outDir, madeDir);
    if (madeDir) {
        std::fprintf(stderr, "valdora-render: cannot create %s: %s\n", outDir.c_str(), madeDir.message().c_str());
        return 2;
    }
    try {
        const bool ok = mode == "panels"  ? render::renderPanels(outDir, scale)
                        : mode == "views" ? render::renderMeterViews(outDir)
                        : mode == "manual" ? render::renderManual(outDir, scale)
                                           : render::renderWindows(argv[2], outDir);
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "valdora-render: %s\n", error.what());
        return 1;
    }
}
