#include "platform/SettingsStore.h"

#include "platform/win/WideText.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace platform {

namespace {

bool isRegistryString(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// A value as the plug-in sees it: strings as UTF-8 without terminator,
// everything else as stored.
struct RegistryValue {
    SettingsValueType type = SettingsValueType::Binary;
    std::string bytes;
};

bool readValue(HKEY key, const std::string& name, RegistryValue& value)
{
    const std::wstring wideName = toWide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::vector<BYTE> raw(size);
    // The value may have changed size between the two calls; the second one says so.
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, raw.data(), &size) != ERROR_SUCCESS)
        return false;
    raw.resize(size);
    if (isRegistryString(type)) {
        std::size_t length = raw.size() / sizeof(wchar_t);
        std::vector<wchar_t> text(length + 1, L'\0');
        std::memcpy(text.data(), raw.data(), length * sizeof(wchar_t));
        // Stored strings may or may not carry their terminator.
        length = wcsnlen(text.data(), length);
        value.type = SettingsValueType::String;
        value.bytes = toUtf8(text.data(), length);
    } else {
        value.type = type == REG_BINARY ? SettingsValueType::Binary : static_cast<SettingsValueType>(type);
        value.bytes.assign(reinterpret_cast<const char*>(raw.data()), raw.size());
    }
    return true;
}

}  // namespace

struct SettingsKey::Impl {
    HKEY key = nullptr;
    bool writable = false;
};

SettingsKey::SettingsKey(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SettingsKey::~SettingsKey()
{
    RegCloseKey(impl_->key);
}

std::unique_ptr<SettingsKey> SettingsKey::open(const std::string& keyPath)
{
    const std::wstring path = toWide(keyPath);
    if (path.empty())
        return nullptr;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->key = key;
    return std::unique_ptr<SettingsKey>(new SettingsKey(std::move(impl)));
}

std::unique_ptr<SettingsKey> SettingsKey::create(const std::string& keyPath)
{
    const std::wstring path = toWide(keyPath);
    if (path.empty())
        return nullptr;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->key = key;
    impl->writable = true;
    return std::unique_ptr<SettingsKey>(new SettingsKey(std::move(impl)));
}

bool SettingsKey::query(const std::string& name, void* data, std::size_t capacity, SettingsValueType* type,
                        std::size_t* storedSize) const
{
    RegistryValue value;
    if (!readValue(impl_->key, name, value))
        return false;
    if (type)
        *type = value.type;
    if (storedSize)
        *storedSize = value.bytes.size();
    if (value.bytes.size() > capacity)
        return false;
    if (data && !value.bytes.empty())
        std::memcpy(data, value.bytes.data(), value.bytes.size());
    return true;
}

bool SettingsKey::queryString(const std::string& name, char* text, std::size_t capacity) const
{
    RegistryValue value;
    if (!text || capacity == 0 || !readValue(impl_->key, name, value))
        return false;
    // Binary data read as text stops at its first zero byte, as a C string would.
    std::size_t length = value.bytes.find('\0');
    if (length == std::string::npos)
        length = value.bytes.size();
    if (length > capacity - 1)
        length = capacity - 1;
    std::memcpy(text, value.bytes.data(), length);
    text[length] = '\0';
    return true;
}

bool SettingsKey::set(const std::string& name, SettingsValueType type, const void* data, std::size_t size)
{
    if (!impl_->writable || (!data && size != 0) || size > MAXDWORD / 2)
        return false;
    const std::wstring wideName = toWide(name);
    LSTATUS status = ERROR_INVALID_PARAMETER;
    if (type == SettingsValueType::Binary) {
        status = RegSetValueExW(impl_->key, wideName.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data),
                                static_cast<DWORD>(size));
    } else if (type == SettingsValueType::String) {
        std::string utf8;
        if (size != 0)
            utf8.assign(static_cast<const char*>(data), size);
        utf8 = utf8.substr(0, utf8.find('\0'));
        const std::wstring text = toWide(utf8);
        // The registry stores strings with their terminator.
        status = RegSetValueExW(impl_->key, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    return status == ERROR_SUCCESS;
}

bool SettingsKey::setString(const std::string& name, const std::string& text)
{
    return set(name, SettingsValueType::String, text.data(), text.size());
}

}  // namespace platform
