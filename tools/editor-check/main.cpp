// editor-check: opens a plug-in's editor in a window the way a Windows host
// does (a top-level window holding a child container), drives it with idle
// calls, and checks that it draws, follows a height change onto the host's
// window and closes cleanly. Writes what the window showed as a BMP.
//
//   editor-check <plug-in DLL> <capture.bmp>      exit status 0 when every check held

#include "core/ParameterIds.h"
#include "tools/vsthost/PluginHost.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kIdleRounds = 30;
constexpr DWORD kIdlePauseMs = 15;
// A drawn editor shows panels, scales and captions, never a handful of colours.
constexpr std::size_t kMinimumColours = 16;

int failures = 0;

void check(bool held, const std::string& what)
{
    std::printf("%s: %s\n", held ? "ok" : "FAILED", what.c_str());
    failures += held ? 0 : 1;
}

void idle(const host::Plugin& plugin)
{
    for (int round = 0; round < kIdleRounds; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        plugin.dispatch(effEditIdle);
        Sleep(kIdlePauseMs);
    }
}

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // top-down rows of 0x00RRGGBB
};

Capture capture(HWND window)
{
    Capture result;
    RECT client{};
    GetClientRect(window, &client);
    result.width = client.right;
    result.height = client.bottom;
    if (result.width <= 0 || result.height <= 0)
        return result;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = result.width;
    info.bmiHeader.biHeight = -result.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC const windowDc = GetDC(window);
    HDC const memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP const section = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section && bits) {
        HGDIOBJ const previous = SelectObject(memoryDc, section);
        BitBlt(memoryDc, 0, 0, result.width, result.height, windowDc, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* data = static_cast<const std::uint32_t*>(bits);
        result.pixels.assign(data, data + static_cast<std::size_t>(result.width) * result.height);
        for (auto& pixel : result.pixels)
            pixel &= 0x00ffffff;
        SelectObject(memoryDc, previous);
    }
    if (section)
        DeleteObject(section);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    return result;
}

bool writeBmp(const Capture& image, const std::string& path)
{
    if (image.pixels.empty())
        return false;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = -image.height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const DWORD dataBytes = static_cast<DWORD>(image.pixels.size() * 4);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4d42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + dataBytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(image.pixels.data()), dataBytes);
    return static_cast<bool>(out);
}

ERect editorRect(const host::Plugin& plugin)
{
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    return rect ? *rect : ERect{};
}

int clientHeight(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return client.bottom - client.top;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor-check <plug-in DLL> <capture.bmp>\n");
        return 2;
    }
    std::string error;
    const auto library = host::PluginLibrary::open(argv[1], error);
    AEffect* const effect = library ? library->instantiate(error) : nullptr;
    if (!effect) {
        std::fprintf(stderr, "editor-check: %s\n", error.c_str());
        return 1;
    }
    {
        const host::Plugin plugin(effect);
        check(plugin.hasFlag(effFlagsHasEditor), "the plug-in has an editor");
        const ERect rect = editorRect(plugin);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        std::printf("editor size: %d x %d\n", width, height);
        check(width > 0 && height > 0, "the editor tells its size");

        HWND const topLevel = CreateWindowExW(0, L"STATIC", L"editor-check", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                              0, 0, width + 40, height + 200, nullptr, nullptr, nullptr, nullptr);
        HWND const container = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                               width, height, topLevel, nullptr, nullptr, nullptr);
        check(plugin.dispatch(effEditOpen, 0, 0, container) == 1, "the editor opens in the host's window");
        HWND const editorWindow = GetWindow(container, GW_CHILD);
        check(editorWindow != nullptr, "the editor made a child window");
        idle(plugin);

        const Capture shown = editorWindow ? capture(editorWindow) : Capture{};
        const std::set<std::uint32_t> colours(shown.pixels.begin(), shown.pixels.end());
        std::printf("editor window: %d x %d, %zu colours\n", shown.width, shown.height, colours.size());
        check(shown.width == width && shown.height == height, "the editor window has the editor's size");
        check(colours.size() >= kMinimumColours, "the editor drew its panels");
        check(writeBmp(shown, argv[2]), "the capture is written");

        // Showing the filter strip makes the editor taller, and the host's window with it.
        plugin.setParameter(param::kShowFilters, 1.0f);
        idle(plugin);
        const int tallerHeight = editorRect(plugin).bottom - editorRect(plugin).top;
        std::printf("with the filter strip: editor %d high, host window %d high\n", tallerHeight,
                    clientHeight(container));
        check(tallerHeight > height, "showing the filter strip makes the editor taller");
        check(clientHeight(container) == tallerHeight, "the host's window follows the editor's height");
        check(editorWindow && clientHeight(editorWindow) == tallerHeight, "the editor window follows too");

        plugin.dispatch(effEditClose);
        check(GetWindow(container, GW_CHILD) == nullptr, "closing the editor removes its window");
        DestroyWindow(topLevel);
    }
    std::printf("result: %s\n", failures == 0 ? "ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
