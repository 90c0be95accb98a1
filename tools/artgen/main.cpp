// Draws every image of the editor, writes them with the resource script that
// numbers them, and writes the review sheets.
//
//   valdora_artgen <resources dir> <review dir> <tape font file>

#include "ArtCatalogue.h"
#include "Draw.h"
#include "PngWriter.h"
#include "ReviewSheet.h"
#include "platform/Resources.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace {

// Dense screens get every image drawn at twice the size, in this folder of
// the resources and under the ids the library looks them up by.
constexpr const char* kDoubleSizeFolder = "2x";
constexpr int kDoubleSize = 2;

void writeResourceScript(const std::vector<artgen::ArtImage>& list, const std::string& path)
{
    std::vector<std::pair<int, std::string>> sorted;
    for (const artgen::ArtImage& a : list) {
        sorted.emplace_back(a.id, a.file);
        sorted.emplace_back(platform::doubleSizeResourceId(a.id), std::string(kDoubleSizeFolder) + "/" + a.file);
    }
    std::sort(sorted.begin(), sorted.end());
    std::ofstream out(path, std::ios::binary);
    out << "// PNG images of the editor, by id. Written by tools/artgen; do not edit.\n\n";
    for (const auto& [id, file] : sorted)
        out << id << " PNG \"" << file << "\"\n";
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <resources dir> <review dir> <tape font file>\n", argv[0]);
        return 2;
    }
    const std::string resources = argv[1];
    const std::string review = argv[2];
    try {
        artgen::loadFonts(argv[3]);
        const std::vector<artgen::ArtImage> list = artgen::catalogue();
        artgen::ImageSet images;
        std::filesystem::create_directories(resources + "/" + kDoubleSizeFolder);
        for (const artgen::ArtImage& a : list) {
            cairo_surface_t* s = artgen::render(a);
            const std::string path = resources + "/" + a.file;
            artgen::writeRgbaPng(s, path);
            images[a.id] = s;
            cairo_surface_t* doubleSize = artgen::render(a, kDoubleSize);
            artgen::writeRgbaPng(doubleSize, resources + "/" + kDoubleSizeFolder + "/" + a.file);
            cairo_surface_destroy(doubleSize);
        }
        writeResourceScript(list, resources + "/resources.rc");
        artgen::writeContactSheet(list, images, review + "/contact-sheet.png");
        const char* const names[3] = {"vu", "rms", "ppm"};
        for (int m = 0; m < 3; ++m) {
            artgen::writeFrontMockup(images, m, review + "/mockup-" + names[m] + ".png");
            artgen::writeBackMockup(images, m, review + "/mockup-" + names[m] + "-back.png");
        }
        for (auto& [id, s] : images)
            cairo_surface_destroy(s);
        artgen::releaseFonts();
        std::printf("%zu images written to %s, review sheets to %s\n", list.size(), resources.c_str(), review.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
