// The library carries every image the editor loads, as the resource script
// lists it, with the size and frame layout the controls rely on.

#include "platform/ResourceTable.h"
#include "platform/Resources.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

struct ExpectedImage {
    int id;
    int width;
    int height;
    int frames;
};

// The editor's bitmap table: id, width x height, frames stacked vertically.
const ExpectedImage kTable[] = {
    {989, 10, 42, 3},       {10000, 586, 169, 1},  {10001, 32, 19, 1},    {10002, 43, 28, 2},
    {10003, 43, 2091, 51},  {10005, 87, 48, 2},    {10006, 86, 72, 3},    {10008, 47, 33, 1},
    {10010, 86, 33, 3},     {10013, 133, 22, 2},   {10014, 581, 33, 3},   {10015, 149, 69, 3},
    {10016, 586, 33, 3},    {10020, 31, 90, 3},    {10021, 36, 24, 2},    {10024, 19, 32, 1},
    {10025, 11, 22, 2},     {10100, 27, 11, 1},    {10102, 33, 11, 1},    {10103, 12, 36, 3},
    {31000, 586, 53, 1},    {31100, 586, 53, 1},   {31200, 586, 53, 1},   {31001, 29, 48, 2},
    {34000, 586, 39, 1},    {34100, 586, 39, 1},   {34200, 586, 39, 1},   {34001, 26, 120, 3},
    {40000, 586, 261, 1},   {41000, 586, 261, 1},  {42000, 585, 261, 1},  {40001, 65, 82, 2},
    {40002, 70, 123, 3},    {41008, 70, 123, 3},   {42003, 70, 201, 3},   {40003, 54, 194, 2},
    {41007, 54, 194, 2},    {42007, 54, 194, 2},   {41003, 54, 114, 2},   {40007, 250, 610, 5},
    {40008, 20, 60, 3},     {40011, 66, 38, 2},    {41011, 66, 38, 2},    {42011, 66, 38, 2},
    {40012, 66, 38, 2},     {41012, 66, 38, 2},    {42012, 66, 38, 2},    {40100, 586, 13, 1},
    {41100, 586, 13, 1},    {42100, 586, 13, 1},   {41001, 586, 169, 1},  {42001, 586, 169, 1},
    {41005, 87, 48, 2},     {42005, 87, 48, 2},    {41006, 86, 72, 3},    {42006, 86, 72, 3},
};

const std::string kResourceDir = std::string(VALDORA_SOURCE_DIR) + "/resources";

std::map<int, std::string> readResourceScript()
{
    std::ifstream in(kResourceDir + "/resources.rc");
    std::map<int, std::string> files;
    const std::regex entry(R"(^\s*(\d+)\s+PNG\s+"([^"]+)\")");
    std::string line;
    while (std::getline(in, line)) {
        std::smatch m;
        if (std::regex_search(line, m, entry))
            files[std::stoi(m[1])] = m[2];
    }
    return files;
}

std::vector<unsigned char> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct MemoryReader {
    const unsigned char* data;
    std::size_t size;
    std::size_t offset = 0;
};

cairo_status_t readFromMemory(void* closure, unsigned char* out, unsigned int length)
{
    auto* reader = static_cast<MemoryReader*>(closure);
    if (reader->size - reader->offset < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

struct DecodedSize {
    bool ok = false;
    int width = 0;
    int height = 0;
};

DecodedSize decode(const platform::ResourceBytes& bytes)
{
    MemoryReader reader{bytes.data, bytes.size};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readFromMemory, &reader);
    DecodedSize size;
    size.ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (size.ok) {
        size.width = cairo_image_surface_get_width(s);
        size.height = cairo_image_surface_get_height(s);
    }
    cairo_surface_destroy(s);
    return size;
}

TEST(EmbeddedImages, ScriptListsExactlyTheImagesOfTheTable)
{
    const std::map<int, std::string> script = readResourceScript();
    std::map<int, bool> expected;
    for (const ExpectedImage& e : kTable) {
        for (const int id : {e.id, platform::doubleSizeResourceId(e.id)}) {
            expected[id] = true;
            EXPECT_EQ(script.count(id), 1U) << "id " << id << " missing from resources.rc";
        }
    }
    for (const auto& [id, file] : script)
        EXPECT_TRUE(expected.count(id)) << "resources.rc lists id " << id << " (" << file << ") that no control uses";
}

TEST(EmbeddedImages, EveryImageIsInTheLibraryWithItsSizeAndFramesAlsoAtTwiceTheSize)
{
    std::vector<ExpectedImage> images(std::begin(kTable), std::end(kTable));
    for (const ExpectedImage& e : kTable)
        images.push_back({platform::doubleSizeResourceId(e.id), 2 * e.width, 2 * e.height, e.frames});
    for (const ExpectedImage& e : images) {
        SCOPED_TRACE("id " + std::to_string(e.id));
        const platform::ResourceBytes bytes = platform::pngResource(e.id);
        ASSERT_NE(bytes.data, nullptr);
        ASSERT_GT(bytes.size, 33U);
        // IHDR: bit depth 8, colour type 6 (RGBA).
        EXPECT_EQ(bytes.data[24], 8);
        EXPECT_EQ(bytes.data[25], 6);
        const DecodedSize size = decode(bytes);
        ASSERT_TRUE(size.ok);
        EXPECT_EQ(size.width, e.width);
        EXPECT_EQ(size.height, e.height);
        EXPECT_EQ(size.height % e.frames, 0);
    }
}

TEST(EmbeddedImages, EmbeddedBytesAreTheFilesTheScriptNames)
{
    // A stale build that missed a regenerated PNG would show here.
    for (const auto& [id, file] : readResourceScript()) {
        const platform::ResourceBytes bytes = platform::pngResource(id);
        const std::vector<unsigned char> onDisk = readFile(kResourceDir + "/" + file);
        ASSERT_EQ(bytes.size, onDisk.size()) << file;
        EXPECT_EQ(std::memcmp(bytes.data, onDisk.data(), onDisk.size()), 0) << file;
    }
}

TEST(EmbeddedImages, TableIsSortedForTheLookup)
{
    for (std::size_t i = 1; i < platform::kEmbeddedResourceCount; ++i)
        EXPECT_LT(platform::kEmbeddedResources[i - 1].id, platform::kEmbeddedResources[i].id);
}

TEST(EmbeddedImages, UnknownIdsAnswerEmpty)
{
    for (int id : {-1, 0, 988, 990, 10004, 40009, 99999}) {
        const platform::ResourceBytes bytes = platform::pngResource(id);
        EXPECT_EQ(bytes.data, nullptr) << id;
        EXPECT_EQ(bytes.size, 0U) << id;
    }
}

}  // namespace
