#pragma once

// The text form of the per-user settings file: one "[key]" line per key,
// then one value a line, readable and editable by a person:
//   "Armsreference" binary 5be52a3f
//   "ManualPath" string "/opt/manual.pdf"
// Names and strings are quoted with backslash escapes (\\ \" \n \r \t \xHH);
// binary data is lower-case hex, two digits a byte.

#include "platform/SettingsStore.h"

#include <string>
#include <vector>

namespace platform {

struct SettingsValue {
    std::string name;
    SettingsValueType type = SettingsValueType::Binary;
    std::string bytes;  // stored data; strings without terminator
};

struct SettingsSection {
    std::string keyPath;
    std::vector<SettingsValue> values;
};

struct SettingsDocument {
    std::vector<SettingsSection> sections;
    int corruptLines = 0;  // lines that were neither blank, comment, key nor value

    // Registry names compare without regard to ASCII case.
    const SettingsSection* findSection(const std::string& keyPath) const;
    SettingsSection& sectionFor(const std::string& keyPath);
};

// Reads what it can; unparsable lines are counted, never fatal.
SettingsDocument parseSettings(const std::string& text);
std::string formatSettings(const SettingsDocument& document);

bool sameSettingsName(const std::string& a, const std::string& b);
const SettingsValue* findSettingsValue(const SettingsSection& section, const std::string& name);
void storeSettingsValue(SettingsSection& section, const SettingsValue& value);

}  // namespace platform
