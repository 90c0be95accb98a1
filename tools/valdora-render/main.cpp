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

namespace {

constexpr const char* kUsage =
    "usage: valdora-render panels|views|manual OUTDIR\n"
    "       valdora-render window PLUGIN.so OUTDIR\n";

bool makeFolder(const std::string& dir)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error)
        std::fprintf(stderr, "valdora-render: cannot create %s: %s\n", dir.c_str(), error.message().c_str());
    return !error;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const int wanted = mode == "window" ? 4 : 3;
    if (argc != wanted || (mode != "panels" && mode != "views" && mode != "manual" && mode != "window")) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string outDir = argv[argc - 1];
    if (!makeFolder(outDir))
        return 2;
    try {
        bool ok = false;
        if (mode == "panels")
            ok = render::renderPanels(outDir);
        else if (mode == "views")
            ok = render::renderMeterViews(outDir);
        else if (mode == "manual")
            ok = render::renderManual(outDir);
        else
            ok = render::renderWindows(argv[2], outDir);
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "valdora-render: %s\n", error.what());
        return 1;
    }
}
