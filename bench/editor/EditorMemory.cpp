// What opening editors costs in resident memory: the built plug-in is loaded
// as a host loads it, two instances are made and their editors opened one
// after the other into windows of the X server in DISPLAY; the process's
// resident size is read before and after each open. The scale follows the
// desktop as in a host (GDK_SCALE=2 for a 2x editor).
//
//   bench_editor_memory PLUGIN.so

#include "tools/vsthost/PluginHost.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

double residentMb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_editor_memory PLUGIN.so\n");
        return 2;
    }
    std::string error;
    const auto library = host::PluginLibrary::open(argv[1], error);
    Display* display = XOpenDisplay(nullptr);
    if (!library || !display) {
        std::fprintf(stderr, "bench_editor_memory: %s\n", library ? "no X display" : error.c_str());
        return 1;
    }
    host::hostState().recordCalls = false;
    std::unique_ptr<host::Plugin> instances[2];
    Window parents[2] = {};
    for (int i = 0; i < 2; ++i) {
        instances[i] = std::make_unique<host::Plugin>(library->instantiate());
        parents[i] = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1200, 600, 0, 0, 0);
        XMapWindow(display, parents[i]);
    }
    XSync(display, False);
    for (int i = 0; i < 2; ++i) {
        const double before = residentMb();
        instances[i]->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parents[i]));
        for (int idle = 0; idle < 3; ++idle)
            instances[i]->dispatch(effEditIdle);
        ERect* rect = nullptr;
        instances[i]->dispatch(effEditGetRect, 0, 0, &rect);
        std::printf("editor %d (%d x %d): %.1f MB -> %.1f MB, +%.1f MB\n", i + 1, rect ? rect->right : 0,
                    rect ? rect->bottom : 0, before, residentMb(), residentMb() - before);
    }
    for (auto& instance : instances)
        instance->dispatch(effEditClose);
    XCloseDisplay(display);
    return 0;
}
