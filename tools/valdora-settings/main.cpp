// Reads and writes string values of the plug-in's per-user settings key, so
// that installation scripts never edit the settings file by hand.
//
//   valdora-settings set-string NAME VALUE
//   valdora-settings get-string NAME
//   valdora-settings --editor-scale 1|1.5|2|auto

#include "platform/EditorScale.h"
#include "platform/SettingsStore.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// Room for the longest path the plug-in reads back.
constexpr std::size_t kMaxValueBytes = 4096;

int usage()
{
    std::fputs("usage: valdora-settings set-string NAME VALUE\n"
               "       valdora-settings get-string NAME\n"
               "       valdora-settings --editor-scale 1|1.5|2|auto\n",
               stderr);
    return kExitUsage;
}

int setString(const std::string& name, const std::string& value)
{
    const std::unique_ptr<platform::SettingsKey> key = platform::SettingsKey::create(platform::kSettingsKeyPath);
    if (!key || !key->setString(name, value)) {
        std::fprintf(stderr, "valdora-settings: could not write %s to %s\n", name.c_str(),
                     platform::settingsFilePath().c_str());
        return kExitFailed;
    }
    return kExitDone;
}

int getString(const std::string& name)
{
    const std::unique_ptr<platform::SettingsKey> key = platform::SettingsKey::open(platform::kSettingsKeyPath);
    std::array<char, kMaxValueBytes> text{};
    if (!key || !key->queryString(name, text.data(), text.size()))
        return kExitFailed;
    std::printf("%s\n", text.data());
    return kExitDone;
}

// The size editors open at from now on; "auto" follows the desktop.
int setEditorScale(const std::string& value)
{
    if (value != "auto" && value != "1" && value != "1.5" && value != "2")
        return usage();
    return setString(platform::kEditorScaleValueName, value);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "set-string") == 0 && argv[2][0] != '\0')
        return setString(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "get-string") == 0)
        return getString(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--editor-scale") == 0)
        return setEditorScale(argv[2]);
    return usage();
}
