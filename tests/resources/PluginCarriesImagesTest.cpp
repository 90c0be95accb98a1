// The shipped module, not just the static library, must carry every image:
// the linker drops archive members nothing references, and the editor that
// references them is built later than the images.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

std::vector<char> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PluginModule, CarriesEveryImageOfTheResourceScript)
{
    const std::string dir = std::string(VALDORA_SOURCE_DIR) + "/resources/";
    const std::vector<char> module = readFile(VALDORA_PLUGIN_PATH);
    ASSERT_FALSE(module.empty()) << "plug-in not built: " << VALDORA_PLUGIN_PATH;

    std::ifstream script(dir + "resources.rc");
    const std::regex entry(R"(^\s*(\d+)\s+PNG\s+"([^"]+)\")");
    std::string line;
    int checked = 0;
    while (std::getline(script, line)) {
        std::smatch m;
        if (!std::regex_search(line, m, entry))
            continue;
        const std::vector<char> png = readFile(dir + m[2].str());
        ASSERT_FALSE(png.empty()) << m[2];
        EXPECT_NE(std::search(module.begin(), module.end(), png.begin(), png.end()), module.end())
            << "image " << m[1] << " (" << m[2] << ") is not in the plug-in";
        ++checked;
    }
    EXPECT_GE(checked, 56);
}

}  // namespace
