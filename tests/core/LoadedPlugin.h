#pragma once

// Loads the built plug-in once per test suite, as a host does, and opens
// instances through its entry point.

#include "tools/vsthost/PluginHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The longest parameter text, "Instance", with its terminator.
constexpr size_t kParamTextCapacity = 9;

// A text opcode answered into a guarded buffer: fails the test when the
// plug-in writes at or past `capacity` or leaves the text unterminated.
inline std::string boundedText(const host::Plugin& plugin, VstInt32 opcode, VstInt32 index, size_t capacity)
{
    constexpr unsigned char kGuard = 0xA5;
    std::vector<char> buffer(capacity + 64, static_cast<char>(kGuard));
    plugin.dispatch(opcode, index, 0, buffer.data());
    for (size_t i = capacity; i < buffer.size(); ++i) {
        if (static_cast<unsigned char>(buffer[i]) != kGuard) {
            ADD_FAILURE() << "opcode " << opcode << " index " << index << " wrote byte " << i
                          << " of a " << capacity << "-byte text";
            break;
        }
    }
    const void* end = std::memchr(buffer.data(), '\0', capacity);
    if (!end) {
        ADD_FAILURE() << "opcode " << opcode << " index " << index << " left its text unterminated";
        return {};
    }
    return std::string(buffer.data());
}


class LoadedPlugin : public ::testing::Test {
protected:
    // The library reads the per-user store when it loads; each suite starts
    // from an empty one, whatever an earlier run stored in the test's home.
    static void SetUpTestSuite()
    {
        if (const char* config = std::getenv("XDG_CONFIG_HOME")) {
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::path(config) / "qor-valdora", ignored);
        }
        library = host::PluginLibrary::open(VALDORA_PLUGIN_PATH, loadError);
    }
    static void TearDownTestSuite() { library.reset(); }

    void SetUp() override
    {
        host::hostState().reset();
        ASSERT_TRUE(library) << loadError;
    }

    // Instances share the library's process-wide settings source and meter;
    // put them back so every test starts from the load-time values.
    void TearDown() override
    {
        host::hostState().reset();
        if (auto plugin = open()) {
            plugin->setParameter(2, 0.5f);
            plugin->setParameter(3, 0.0f);
        }
    }

    static std::unique_ptr<host::Plugin> open()
    {
        AEffect* effect = library ? library->instantiate() : nullptr;
        return effect ? std::make_unique<host::Plugin>(effect) : nullptr;
    }

    static inline std::unique_ptr<host::PluginLibrary> library;
    static inline std::string loadError;
};
