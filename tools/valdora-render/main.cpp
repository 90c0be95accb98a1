// valdora-render: the editor drawn into PNG files, one mode a purpose.
//   valdora-render panels OUTDIR         back panels and strips of each meter
//   valdora-render views OUTDIR          meter views over their panels at set readings
//   valdora-render manual OUTDIR         the user manual's pictures
//   valdora-render window PLUGIN OUTDIR  the editor as a host shows it (needs DISPLAY)
#include "tools/valdora-render/RenderModes.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool known = mode == "panels" || mode == "views" || mode == "manual" || mode == "window";
    if (!known || argc != (mode == "window" ? 4 : 3)) {
        std::fputs("usage: valdora-render panels|views|manual OUTDIR\n"
                   "       valdora-render window PLUGIN.so OUTDIR\n",
                   stderr);
        return 2;
    }
    const std::string outDir = argv[argc - 1];
    std::error_code madeDir;
    std::filesystem::create_directories(outDir, madeDir);
    if (madeDir) {
        std::fprintf(stderr, "valdora-render: cannot create %s: %s\n", outDir.c_str(), madeDir.message().c_str());
        return 2;
    }
    try {
        const bool ok = mode == "panels"  ? render::renderPanels(outDir)
                        : mode == "views" ? render::renderMeterViews(outDir)
                        : mode == "manual" ? render::renderManual(outDir)
                                           : render::renderWindows(argv[2], outDir);
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "valdora-render: %s\n", error.what());
        return 1;
    }
}
