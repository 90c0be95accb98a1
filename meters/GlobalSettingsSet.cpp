#include "meters/GlobalSettingsSet.h"

#include "platform/SettingsStore.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kSetCount = 2;
constexpr std::size_t kStoredFloatBytes = 4;

struct MeterSets {
    explicit MeterSets(MeterKind meter) : sets{SettingValues(meter), SettingValues(meter)} {}
    std::array<SettingValues, kSetCount> sets;
};

// Function-local so the sets exist before anything that runs at library
// load asks for them, whatever the order of static initialisation.
std::array<MeterSets, 3>& allSets()
{
    static std::array<MeterSets, 3> sets{MeterSets(MeterKind::Vu), MeterSets(MeterKind::Rms),
                                         MeterSets(MeterKind::Ppm)};
    return sets;
}

float decodeLittleEndian(const std::uint8_t* bytes)
{
    const std::uint32_t bits = std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) |
                               (std::uint32_t(bytes[2]) << 16) | (std::uint32_t(bytes[3]) << 24);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void encodeLittleEndian(float value, std::uint8_t* bytes)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (std::size_t i = 0; i < kStoredFloatBytes; ++i)
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// One open-query-close per value, as the store is shared with other processes.
float readStoredFloat(const char* name, float fallback)
{
    const auto key = platform::SettingsKey::open(platform::kSettingsKeyPath);
    if (!key)
        return fallback;
    std::array<std::uint8_t, kStoredFloatBytes> bytes{};
    std::size_t storedSize = 0;
    // A value of another size would leave a half-written float: keep the default.
    if (!key->query(name, bytes.data(), bytes.size(), nullptr, &storedSize) || storedSize != kStoredFloatBytes)
        return fallback;
    return decodeLittleEndian(bytes.data());
}

void loadSet(SettingValues& set)
{
    const MeterSettingsTable& table = set.table();
    for (int i = 0; i < table.count; ++i) {
        const SettingEntry& entry = table.order[i];
        set.set(entry.id, readStoredFloat(entry.storeName, entry.defaultValue));
    }
}

const char* storeNameOf(const MeterSettingsTable& table, int id)
{
    for (int i = 0; i < table.count; ++i) {
        if (table.order[i].id == id)
            return table.order[i].storeName;
    }
    return nullptr;
}

// Filled when the library is loaded, before any effect exists.
[[maybe_unused]] const bool loadedAtLibraryLoad = (GlobalSettingsSet::loadAll(), true);

}  // namespace

SettingValues& GlobalSettingsSet::of(MeterKind meter, int setIndex)
{
    return allSets()[static_cast<int>(meter)].sets[setIndex == kSetA ? kSetA : kSetB];
}

void GlobalSettingsSet::loadAll()
{
    for (const MeterKind meter : {MeterKind::Rms, MeterKind::Vu, MeterKind::Ppm}) {
        loadSet(of(meter, kSetA));
        loadSet(of(meter, kSetB));
    }
}

void GlobalSettingsSet::storeSetA(MeterKind meter)
{
    const SettingValues& set = of(meter, kSetA);
    const MeterSettingsTable& table = set.table();
    for (int id = table.firstId; id < table.firstId + table.count; ++id) {
        const auto key = platform::SettingsKey::create(platform::kSettingsKeyPath);
        if (!key)
            continue;
        std::array<std::uint8_t, kStoredFloatBytes> bytes{};
        encodeLittleEndian(set.get(id), bytes.data());
        key->set(storeNameOf(table, id), platform::SettingsValueType::Binary, bytes.data(), bytes.size());
    }
}
