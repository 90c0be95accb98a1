#pragma once

// The per-user settings key, shaped like the registry calls the plug-in was
// designed around (open, query, create, set, close). On Windows it is that
// registry key under HKEY_CURRENT_USER. On Linux the key's values live in one
// text file under $XDG_CONFIG_HOME (default ~/.config); every write is a
// locked read-modify-write of the whole file that lands atomically, so
// concurrent host processes never lose values.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// Value types, numbered as the registry numbers them.
enum class SettingsValueType : std::uint32_t { String = 1, Binary = 3 };

// The key the whole plug-in keeps its per-user values under.
constexpr const char* kSettingsKeyPath = "SOFTWARE\\Brontal\\QORMETERS300";

class SettingsKey {
public:
    // Opens an existing key for reading; null when it has no stored values.
    static std::unique_ptr<SettingsKey> open(const std::string& keyPath);
    // Opens the key for writing, creating it when missing; null on failure.
    static std::unique_ptr<SettingsKey> create(const std::string& keyPath);
    ~SettingsKey();  // closes
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    // Copies a value into data (at most capacity bytes). False, and data
    // untouched, when the value is absent or larger than capacity; the
    // stored size is written to storedSize when it is not null.
    bool query(const std::string& name, void* data, std::size_t capacity, SettingsValueType* type = nullptr,
               std::size_t* storedSize = nullptr) const;
    // A string value, always terminated inside capacity; false when absent.
    bool queryString(const std::string& name, char* text, std::size_t capacity) const;

    bool set(const std::string& name, SettingsValueType type, const void* data, std::size_t size);
    bool setString(const std::string& name, const std::string& text);

private:
    struct Impl;
    explicit SettingsKey(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

#ifndef _WIN32
// The file that holds the key on Linux (for tests and tools).
std::string settingsFilePath();
#endif

}  // namespace platform
