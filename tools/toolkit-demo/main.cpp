// Shows the demo editor offscreen or in a window of its own, and writes what
// it shows to a PNG. See screenshot.sh.

#include "DemoEditor.h"

#include "base/AudioEffect.h"
#include "toolkit/CFrame.h"
#include "toolkit/OffscreenRender.h"
#include "toolkit/PixelBuffer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

class NoEffect : public AudioEffect {
public:
    NoEffect() : AudioEffect(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

int offscreen(const std::string& path)
{
    NoEffect effect;
    toolkit_demo::DemoEditor editor(&effect);
    editor.open(nullptr);
    const bool written = VSTGUI::renderToPng(*editor.getDemoFrame(), path);
    editor.close();
    return written ? 0 : 1;
}

// Reads the window back from the server, as a screenshot would.
bool captureWindow(Display* display, Window window, int width, int height, const std::string& path)
{
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image)
        return false;
    VSTGUI::PixelBuffer pixels(width, height);
    cairo_surface_t* surface = pixels.getSurface();
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xffffffu;
            const uint32_t argb = 0xff000000u | rgb;
            std::memcpy(data + y * stride + x * 4, &argb, sizeof argb);
        }
    cairo_surface_mark_dirty(surface);
    XDestroyImage(image);
    return pixels.writePng(path);
}

int windowed(const std::string& path)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "toolkit-demo: no X display\n");
        return 1;
    }
    const Window host = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, toolkit_demo::kDemoWidth,
                                            toolkit_demo::kDemoHeight, 0, 0, 0);
    XMapWindow(display, host);
    XSync(display, False);

    NoEffect effect;
    toolkit_demo::DemoEditor editor(&effect);
    editor.open(reinterpret_cast<void*>(host));
    for (int i = 0; i < 20; ++i) {
        editor.idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    XSync(display, False);
    const bool written =
        captureWindow(display, host, toolkit_demo::kDemoWidth, toolkit_demo::kDemoHeight, path);
    editor.close();
    XDestroyWindow(display, host);
    XCloseDisplay(display);
    return written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "--offscreen") != 0 && std::strcmp(argv[1], "--window") != 0)) {
        std::fprintf(stderr, "usage: toolkit-demo --offscreen|--window out.png\n");
        return 2;
    }
    return std::strcmp(argv[1], "--offscreen") == 0 ? offscreen(argv[2]) : windowed(argv[2]);
}
