// editor-check: opens a plug-in's editor in a window the way a Windows host
// does (a top-level window holding a child container), drives it with idle
// calls, and checks that it draws, follows a height change onto the host's
// window, that the trim and a filter slider are drawn at their values, move
// under a press-and-drag on their handles and under the wheel, and that it
// closes cleanly. Writes what the window showed as a BMP.
//
//   editor-check <plug-in DLL> <capture.bmp>      exit status 0 when every check held

#include "base/ParameterIds.h"
#include "editor/EditorGeometry.h"
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

LPARAM clientPoint(int x, int y) { return MAKELPARAM(x, y); }

// A press on (x, y), a drag by (dx, dy) in four steps and the release, as
// the window receives them from the system.
void drag(const host::Plugin& plugin, HWND window, int x, int y, int dx, int dy)
{
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(x, y));
    idle(plugin);
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step) {
        PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, clientPoint(x + dx * step / kSteps, y + dy * step / kSteps));
        idle(plugin);
    }
    PostMessageW(window, WM_LBUTTONUP, 0, clientPoint(x + dx, y + dy));
    idle(plugin);
}

// One notch of the wheel over (x, y); wheel messages carry screen coordinates.
void wheel(const host::Plugin& plugin, HWND window, int x, int y, bool up)
{
    POINT where{x, y};
    ClientToScreen(window, &where);
    const auto delta = static_cast<WPARAM>(static_cast<WORD>(static_cast<SHORT>(up ? WHEEL_DELTA : -WHEEL_DELTA)));
    PostMessageW(window, WM_MOUSEWHEEL, delta << 16, MAKELPARAM(where.x, where.y));
    idle(plugin);
}

std::vector<std::uint32_t> area(const Capture& image, const editor::Rect& r)
{
    std::vector<std::uint32_t> out;
    for (int y = r.top; y < r.bottom && y < image.height; ++y)
        for (int x = r.left; x < r.right && x < image.width; ++x)
            out.push_back(image.pixels[static_cast<std::size_t>(y) * image.width + x]);
    return out;
}

// The trim and the high-pass slider as a user meets them: drawn where they
// belong at their lowest and highest values, grabbed by their handles, and
// turned by the wheel (up raises, down lowers).
void checkSliders(const host::Plugin& plugin, HWND editorWindow)
{
    struct Slider {
        const char* name;
        int param;
        editor::Rect face;      // in the editor window
        editor::Point handle;   // the handle's centre at value 0.5
        int dx, dy;             // a drag that raises the value
    };
    constexpr int kFilterTop = editor::kFrontPanelHeight;
    constexpr int kTrimHandleHeight = 19;
    constexpr int kFrequencyHandleWidth = 19;
    const editor::Rect& trim = editor::front::kTrimSlider;
    const editor::Rect& highPass = editor::strip::kHighPassSlider;
    const int trimTravel = trim.height() - kTrimHandleHeight;
    const int highPassTravel = editor::strip::kFrequencyHandleRange - kFrequencyHandleWidth;
    const Slider sliders[] = {
        {"trim", param::kTrim, trim, {(trim.left + trim.right) / 2, trim.top + trimTravel / 2 + kTrimHandleHeight / 2},
         0, -20},
        {"high-pass frequency", param::kHighPassFrequency,
         {highPass.left, highPass.top + kFilterTop, highPass.right, highPass.bottom + kFilterTop},
         {highPass.left + highPassTravel / 2 + kFrequencyHandleWidth / 2, kFilterTop + highPass.top + 16}, 20, 0},
    };
    plugin.setParameter(param::kProcess, 1.0f);
    for (const Slider& s : sliders) {
        plugin.setParameter(s.param, 0.0f);
        idle(plugin);
        const std::vector<std::uint32_t> low = area(capture(editorWindow), s.face);
        plugin.setParameter(s.param, 1.0f);
        idle(plugin);
        check(area(capture(editorWindow), s.face) != low,
              std::string(s.name) + ": drawn in its place, following its value");

        plugin.setParameter(s.param, 0.5f);
        idle(plugin);
        drag(plugin, editorWindow, s.handle.x, s.handle.y, s.dx, s.dy);
        check(plugin.getParameter(s.param) > 0.5f, std::string(s.name) + ": a drag on its handle moves it");

        plugin.setParameter(s.param, 0.5f);
        idle(plugin);
        wheel(plugin, editorWindow, s.handle.x, s.handle.y, true);
        const float raised = plugin.getParameter(s.param);
        wheel(plugin, editorWindow, s.handle.x, s.handle.y, false);
        check(raised > 0.5f && plugin.getParameter(s.param) < raised,
              std::string(s.name) + ": wheel up raises it, wheel down lowers it");
    }
}

// The user's scale setting, as valdora-settings --editor-scale writes it: an
// editor opened afterwards is twice the size, whatever the monitor's DPI.
void checkDoubleSize(const host::PluginLibrary& library, int width, int height, const std::string& capturePath)
{
    constexpr const wchar_t* kKey = L"SOFTWARE\\Brontal\\QORMETERS300";
    constexpr const wchar_t* kValue = L"EditorScale";
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        check(false, "the scale setting is written");
        return;
    }
    const wchar_t two[] = L"2";
    RegSetValueExW(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(two), sizeof two);
    std::string error;
    AEffect* const effect = library.instantiate(error);
    if (effect) {
        const host::Plugin plugin(effect);
        const ERect rect = editorRect(plugin);
        HWND const topLevel = CreateWindowExW(0, L"STATIC", L"editor-check 2x", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                              0, 2 * width + 40, 2 * height + 200, nullptr, nullptr, nullptr, nullptr);
        HWND const container = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                               2 * width, 2 * height, topLevel, nullptr, nullptr, nullptr);
        check(plugin.dispatch(effEditOpen, 0, 0, container) == 1, "the 2x editor opens");
        HWND const editorWindow = GetWindow(container, GW_CHILD);
        idle(plugin);
        const Capture shown = editorWindow ? capture(editorWindow) : Capture{};
        std::printf("2x editor: asks for %d x %d, window %d x %d\n", rect.right - rect.left, rect.bottom - rect.top,
                    shown.width, shown.height);
        check(rect.right - rect.left == 2 * width && rect.bottom - rect.top == 2 * height,
              "with the setting at 2 the editor asks for twice its size");
        check(shown.width == 2 * width && shown.height == 2 * height, "and its window is that size");
        const std::set<std::uint32_t> colours(shown.pixels.begin(), shown.pixels.end());
        check(colours.size() >= kMinimumColours, "the 2x editor drew its panels");
        check(writeBmp(shown, capturePath), "the 2x capture is written");
        plugin.dispatch(effEditClose);
        DestroyWindow(topLevel);
    } else {
        check(false, "a second instance for the 2x editor");
    }
    RegDeleteValueW(key, kValue);
    RegCloseKey(key);
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
        if (editorWindow)
            checkSliders(plugin, editorWindow);

        plugin.dispatch(effEditClose);
        check(GetWindow(container, GW_CHILD) == nullptr, "closing the editor removes its window");
        DestroyWindow(topLevel);
        checkDoubleSize(*library, width, height, std::string(argv[2]) + "-2x.bmp");
    }
    std::printf("result: %s\n", failures == 0 ? "ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
