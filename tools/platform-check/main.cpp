// platform-check: the Windows services of platform/ exercised for real (the
// registry of the current user, the clock, the module's PNG resources, the
// shell's refusal of a missing document) and the typeface loaded as a GDI+
// private font. Run under wine by scripts/test-windows.sh:
//
//   platform-check <font file>
//
// prints one line per check and exits non-zero when any failed.

#include "controls/QORCoreTextFont.h"
#include "platform/Clock.h"
#include "platform/DocumentShell.h"
#include "platform/Resources.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/PixelBuffer.h"
#include "platform/SettingsStore.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// A key of its own, so the plug-in's real settings are never touched.
constexpr const char* kTestKey = "SOFTWARE\\Brontal\\QORMETERS300-platform-check";
constexpr int kManualButtonId = 989;
constexpr int kMissingId = 4242;
const unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

int failures = 0;

void check(bool held, const char* what)
{
    std::printf("%s: %s\n", held ? "ok" : "FAILED", what);
    failures += held ? 0 : 1;
}

void checkRegistry()
{
    RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\Brontal\\QORMETERS300-platform-check");
    check(platform::SettingsKey::open(kTestKey) == nullptr, "a missing key does not open");
    {
        const auto key = platform::SettingsKey::create(kTestKey);
        check(key != nullptr, "the key is created");
        if (!key)
            return;
        const float reference = -18.5f;
        check(key->set("Armsreference", platform::SettingsValueType::Binary, &reference, sizeof reference),
              "a binary value is written");
        check(key->setString("ManualPath", "C:\\Manuals\\Valdora \xc3\xa9t\xc3\xa9.pdf"), "a string value is written");
    }
    const auto key = platform::SettingsKey::open(kTestKey);
    check(key != nullptr, "the written key opens");
    if (!key)
        return;
    float read = 0.0f;
    platform::SettingsValueType type{};
    std::size_t size = 0;
    check(key->query("armsreference", &read, sizeof read, &type, &size) && read == -18.5f &&
              type == platform::SettingsValueType::Binary && size == sizeof read,
          "the binary value reads back, names without regard to case");
    unsigned char small[2] = {7, 7};
    check(!key->query("Armsreference", small, sizeof small, nullptr, &size) && size == 4 && small[0] == 7,
          "a value larger than the buffer is refused with its size, the buffer untouched");
    char text[64] = {};
    check(key->queryString("ManualPath", text, sizeof text) &&
              std::strcmp(text, "C:\\Manuals\\Valdora \xc3\xa9t\xc3\xa9.pdf") == 0,
          "the string reads back as UTF-8");
    char shortText[8] = {};
    check(key->queryString("ManualPath", shortText, sizeof shortText) && std::strlen(shortText) == 7,
          "a long string is cut and terminated inside the buffer");
    check(!key->query("Missing", &read, sizeof read), "a missing value reads as absent");
    check(!key->set("Armsreference", platform::SettingsValueType::Binary, &read, sizeof read),
          "a key opened for reading refuses writes");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\Brontal\\QORMETERS300-platform-check");
}

void checkClock()
{
    const double first = platform::monotonicMs();
    Sleep(20);
    const double second = platform::monotonicMs();
    check(second - first >= 15.0 && second - first < 5000.0, "the clock counts milliseconds forward");
}

void checkResources()
{
    // The module is the one holding this code: here the program, which links the same resources.
    const platform::ResourceBytes png = platform::pngResource(kManualButtonId);
    check(png.data && png.size > sizeof kPngSignature &&
              std::memcmp(png.data, kPngSignature, sizeof kPngSignature) == 0,
          "a PNG resource is found by id");
    check(platform::pngResource(kMissingId).data == nullptr && platform::pngResource(-1).data == nullptr &&
              platform::pngResource(70000).data == nullptr,
          "unknown and impossible ids find nothing");
}

void checkDocumentShell()
{
    platform::DocumentShell& shell = platform::DocumentShell::system();
    check(shell.openDocument(nullptr, "C:\\no such folder\\manual.pdf") == platform::OpenDocumentResult::Failed,
          "opening a missing manual fails");
    check(shell.openDocument(nullptr, "") == platform::OpenDocumentResult::Failed, "an empty path fails");
}

void checkFont(const char* path)
{
    QORCoreTextFont font(path, 38.0, 0);
    check(font.getAscent() < 0 && !font.isLoaded(), "the typeface is not read before its first use");
    const VSTGUI::CCoord wide = font.getStringWidth(nullptr, "VALDORA");
    const VSTGUI::CCoord narrow = font.getStringWidth(nullptr, "V");
    check(font.isLoaded() && font.getAscent() > 0 && font.getHeightPx() > 0, "the typeface loads privately");
    check(narrow > 0 && wide > narrow * 3, "text is measured in the typeface");
    QORCoreTextFont missing("C:\\no such folder\\QORValdora.qsf", 38.0, 0);
    check(missing.getStringWidth(nullptr, "VALDORA") == 0 && !missing.isLoaded(),
          "a missing font file measures nothing");
}

int countPaintedPixels(const VSTGUI::PixelBuffer& pixels)
{
    int painted = 0;
    for (int y = 0; y < pixels.getHeight(); ++y)
        for (int x = 0; x < pixels.getWidth(); ++x)
            painted += pixels.getPixel(x, y).alpha != 0 ? 1 : 0;
    return painted;
}

void checkSystemText()
{
    VSTGUI::PixelBuffer pixels(120, 24);
    {
        VSTGUI::CDrawContext context(pixels);
        auto* font = new VSTGUI::CFontDesc("Sans", 10, VSTGUI::kNormalFace);
        context.setFont(font);
        font->forget();
        context.setFontColor(VSTGUI::kWhiteCColor);
        context.drawString("-18.0dBFS", VSTGUI::CRect(0, 0, 120, 24));
        check(context.getStringWidth("-18.0dBFS") > 20, "system text is measured");
    }
    check(countPaintedPixels(pixels) > 40, "system text is drawn");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: platform-check <font file>\n");
        return 2;
    }
    checkRegistry();
    checkClock();
    checkResources();
    checkDocumentShell();
    checkFont(argv[1]);
    checkSystemText();
    std::printf("result: %s\n", failures == 0 ? "ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
