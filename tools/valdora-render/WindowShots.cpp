#include "tools/valdora-render/RenderModes.h"

#include "base/ParameterIds.h"
#include "editor/EditorGeometry.h"
#include "tools/vsthost/PluginHost.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace render {

namespace {

constexpr int kWidth = editor::kEditorWidth;
constexpr int kMaxHeight = editor::kEditorMaxHeight;
constexpr int kFrames = 512;
constexpr float kRateHz = 44100.0F;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kSignalSeconds = 2.0;

struct Shot {
    const char* file;
    float meter;
    bool expanded;
};
constexpr Shot kShots[] = {
    {"window-vu.png", 0.0F, false},
    {"window-rms.png", 0.5F, false},
    {"window-ppm.png", 1.0F, false},
    {"window-expanded.png", 0.0F, true},
};

// Left: a 1 kHz sine at -16 dBFS; right: the same at -24 dBFS, so the two
// needles stand apart and stay on every meter's scale with its default reference.
void fillSignal(std::vector<float>& left, std::vector<float>& right, long long& frame)
{
    const double leftPeak = std::pow(10.0, -16.0 / 20.0);
    const double rightPeak = std::pow(10.0, -24.0 / 20.0);
    for (size_t i = 0; i < left.size(); ++i, ++frame) {
        const double s = std::sin(kTwoPi * 1000.0 * static_cast<double>(frame) / kRateHz);
        left[i] = static_cast<float>(leftPeak * s);
        right[i] = static_cast<float>(rightPeak * s);
    }
}

bool writeWindow(Display* display, Window window, const std::string& path)
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    const int width = attributes.width;
    const int height = attributes.height;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image)
        return false;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xffffffu;
            std::memcpy(data + y * stride + x * 4, &rgb, sizeof rgb);
        }
    cairo_surface_mark_dirty(surface);
    XDestroyImage(image);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

bool takeShot(host::PluginLibrary& library, Display* display, const Shot& shot, const std::string& outDir)
{
    AEffect* effect = library.instantiate();
    if (!effect)
        return false;
    host::Plugin plugin(effect);
    const Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kWidth, kMaxHeight, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);

    const float expanded = shot.expanded ? 1.0F : 0.0F;
    plugin.setParameter(param::kProcess, 1.0F);
    plugin.setParameter(param::kMeter, shot.meter);
    plugin.setParameter(param::kShowFilters, expanded);
    plugin.setParameter(param::kShowLabel, expanded);
    plugin.setParameter(param::kShowStrips, 1.0F);
    plugin.setSampleRate(kRateHz);
    plugin.setBlockSize(kFrames);
    plugin.resume();
    if (plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)) != 1) {
        XDestroyWindow(display, parent);
        return false;
    }
    ERect* rect = nullptr;
    if (plugin.dispatch(effEditGetRect, 0, 0, &rect) == 1 && rect)
        XResizeWindow(display, parent, static_cast<unsigned>(rect->right - rect->left),
                      static_cast<unsigned>(rect->bottom - rect->top));

    std::vector<float> left(kFrames);
    std::vector<float> right(kFrames);
    std::vector<float> outLeft(kFrames);
    std::vector<float> outRight(kFrames);
    long long frame = 0;
    const auto blockTime = std::chrono::microseconds(static_cast<long long>(1e6 * kFrames / kRateHz));
    auto due = std::chrono::steady_clock::now();
    const int blocks = static_cast<int>(kSignalSeconds * kRateHz / kFrames);
    for (int block = 0; block < blocks; ++block) {
        fillSignal(left, right, frame);
        float* in[] = {left.data(), right.data()};
        float* out[] = {outLeft.data(), outRight.data()};
        plugin.process(in, out, kFrames);
        XSync(display, False);
        plugin.dispatch(effEditIdle);
        due += blockTime;
        std::this_thread::sleep_until(due);
    }
    plugin.dispatch(effEditIdle);
    XSync(display, False);
    const std::string path = outDir + "/" + shot.file;
    const bool written = writeWindow(display, parent, path);
    if (written)
        std::printf("wrote %s\n", path.c_str());
    plugin.dispatch(effEditClose);
    XDestroyWindow(display, parent);
    XSync(display, False);
    return written;
}

}  // namespace

bool renderWindows(const std::string& pluginPath, const std::string& outDir)
{
    std::string error;
    auto library = host::PluginLibrary::open(pluginPath, error);
    if (!library) {
        std::fprintf(stderr, "valdora-render: %s\n", error.c_str());
        return false;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "valdora-render: no X display (run it through scripts/editor-screenshots.sh)\n");
        return false;
    }
    host::hostState().recordCalls = false;
    int failures = 0;
    for (const Shot& shot : kShots)
        if (!takeShot(*library, display, shot, outDir)) {
            std::fprintf(stderr, "valdora-render: no picture for %s\n", shot.file);
            ++failures;
        }
    XCloseDisplay(display);
    return failures == 0;
}

}  // namespace render
