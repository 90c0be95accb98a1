#include "platform/SettingsFileFormat.h"

#include <cstddef>

namespace platform {

namespace {

constexpr const char* kHeader = "# QOR Valdora per-user settings: one value a line, \"name\" binary <hex> or \"name\" string \"text\"\n";
constexpr const char* kBinaryWord = "binary";
constexpr const char* kStringWord = "string";
constexpr const char* kHexDigits = "0123456789abcdef";

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = lowerAscii(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

void appendQuoted(std::string& out, const std::string& text)
{
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (byte < 0x20 || byte == 0x7f) {
                out += "\\x";
                out += kHexDigits[byte >> 4];
                out += kHexDigits[byte & 0xf];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// A cursor over one line; every reader returns false on malformed input.
class LineReader {
public:
    explicit LineReader(const std::string& line) : line_(line) {}

    void skipBlanks()
    {
        while (pos_ < line_.size() && (line_[pos_] == ' ' || line_[pos_] == '\t'))
            ++pos_;
    }
    bool atEnd() const { return pos_ >= line_.size(); }

    bool readQuoted(std::string& out)
    {
        if (atEnd() || line_[pos_] != '"')
            return false;
        ++pos_;
        while (!atEnd()) {
            const char c = line_[pos_++];
            if (c == '"')
                return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (atEnd())
                return false;
            const char escaped = line_[pos_++];
            switch (escaped) {
            case '\\': out += '\\'; break;
            case '"': out += '"'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'x': {
                if (line_.size() - pos_ < 2)
                    return false;
                const int high = hexValue(line_[pos_]);
                const int low = hexValue(line_[pos_ + 1]);
                if (high < 0 || low < 0)
                    return false;
                out += static_cast<char>(high * 16 + low);
                pos_ += 2;
                break;
            }
            default: return false;
            }
        }
        return false;  // no closing quote
    }

    bool readWord(std::string& out)
    {
        while (!atEnd() && line_[pos_] != ' ' && line_[pos_] != '\t')
            out += line_[pos_++];
        return !out.empty();
    }

    bool readHex(std::string& out)
    {
        while (!atEnd() && line_[pos_] != ' ' && line_[pos_] != '\t') {
            if (line_.size() - pos_ < 2)
                return false;
            const int high = hexValue(line_[pos_]);
            const int low = hexValue(line_[pos_ + 1]);
            if (high < 0 || low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            pos_ += 2;
        }
        return true;
    }

private:
    const std::string& line_;
    std::size_t pos_ = 0;
};

bool parseValueLine(const std::string& line, SettingsValue& value)
{
    LineReader reader(line);
    reader.skipBlanks();
    if (!reader.readQuoted(value.name))
        return false;
    reader.skipBlanks();
    std::string type;
    if (!reader.readWord(type))
        return false;
    reader.skipBlanks();
    if (type == kBinaryWord) {
        value.type = SettingsValueType::Binary;
        if (!reader.readHex(value.bytes))
            return false;
    } else if (type == kStringWord) {
        value.type = SettingsValueType::String;
        if (!reader.readQuoted(value.bytes))
            return false;
    } else {
        return false;
    }
    reader.skipBlanks();
    return reader.atEnd();
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

bool sameSettingsName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

const SettingsSection* SettingsDocument::findSection(const std::string& keyPath) const
{
    for (const SettingsSection& section : sections) {
        if (sameSettingsName(section.keyPath, keyPath))
            return &section;
    }
    return nullptr;
}

SettingsSection& SettingsDocument::sectionFor(const std::string& keyPath)
{
    for (SettingsSection& section : sections) {
        if (sameSettingsName(section.keyPath, keyPath))
            return section;
    }
    sections.push_back(SettingsSection{keyPath, {}});
    return sections.back();
}

const SettingsValue* findSettingsValue(const SettingsSection& section, const std::string& name)
{
    for (const SettingsValue& value : section.values) {
        if (sameSettingsName(value.name, name))
            return &value;
    }
    return nullptr;
}

void storeSettingsValue(SettingsSection& section, const SettingsValue& value)
{
    for (SettingsValue& existing : section.values) {
        if (sameSettingsName(existing.name, value.name)) {
            existing.type = value.type;
            existing.bytes = value.bytes;
            return;
        }
    }
    section.values.push_back(value);
}

SettingsDocument parseSettings(const std::string& text)
{
    SettingsDocument document;
    SettingsSection* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']' && line.size() > 2) {
            current = &document.sectionFor(line.substr(1, line.size() - 2));
            continue;
        }
        SettingsValue value;
        if (!current || !parseValueLine(line, value)) {
            ++document.corruptLines;
            continue;
        }
        storeSettingsValue(*current, value);  // a repeated name: the later line wins
    }
    return document;
}

std::string formatSettings(const SettingsDocument& document)
{
    std::string out = kHeader;
    for (const SettingsSection& section : document.sections) {
        out += '[';
        out += section.keyPath;
        out += "]\n";
        for (const SettingsValue& value : section.values) {
            appendQuoted(out, value.name);
            if (value.type == SettingsValueType::String) {
                out += ' ';
                out += kStringWord;
                out += ' ';
                appendQuoted(out, value.bytes);
            } else {
                out += ' ';
                out += kBinaryWord;
                out += ' ';
                for (const char c : value.bytes) {
                    const auto byte = static_cast<unsigned char>(c);
                    out += kHexDigits[byte >> 4];
                    out += kHexDigits[byte & 0xf];
                }
            }
            out += '\n';
        }
    }
    return out;
}

}  // namespace platform
