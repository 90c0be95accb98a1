// Build step: reads the resource script and writes a C++ source holding the
// bytes of every PNG it lists, with the table the library looks them up in.
//
//   valdora_embed <resources.rc> <output.cpp>
//
// Script lines are `<id> PNG "<file>"`, the file relative to the script;
// blank lines and lines starting with // or # are skipped.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Entry {
    int id;
    std::string file;
    std::vector<unsigned char> bytes;
};

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::vector<unsigned char> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<Entry> readScript(const std::string& scriptPath)
{
    std::ifstream in(scriptPath);
    if (!in)
        throw std::runtime_error("cannot read " + scriptPath);
    std::vector<Entry> entries;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line.compare(start, 2, "//") == 0 || line[start] == '#')
            continue;
        std::istringstream fields(line.substr(start));
        long id = -1;
        std::string type;
        fields >> id >> type;
        const std::size_t open = line.find('"');
        const std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (!fields || type != "PNG" || id < 0 || id > 65535 || close == std::string::npos)
            throw std::runtime_error(scriptPath + ":" + std::to_string(lineNumber) + ": expected <id> PNG \"<file>\"");
        Entry e{static_cast<int>(id), line.substr(open + 1, close - open - 1), {}};
        e.bytes = readFile(folderOf(scriptPath) + "/" + e.file);
        entries.push_back(std::move(e));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.id < b.id; });
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (entries[i].id == entries[i - 1].id)
            throw std::runtime_error("id " + std::to_string(entries[i].id) + " listed twice");
    return entries;
}

// A string literal compiles far faster than a brace list of numbers. Octal
// escapes are always three digits, so a following digit is never swallowed.
void writeLiteral(std::ostream& out, const std::vector<unsigned char>& bytes)
{
    constexpr std::size_t kBytesPerLine = 40;
    out << "\n    \"";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % kBytesPerLine == 0)
            out << "\"\n    \"";
        const unsigned char b = bytes[i];
        if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\' && b != '?') {
            out << static_cast<char>(b);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", b);
            out << escape;
        }
    }
    out << "\"";
}

void writeSource(const std::vector<Entry>& entries, const std::string& outputPath)
{
    std::ostringstream out;
    out << "// Written by valdora_embed from the resource script; do not edit.\n"
           "#include \"platform/ResourceTable.h\"\n\n"
           "namespace platform {\nnamespace {\n";
    for (const Entry& e : entries) {
        out << "// " << e.file << "\nconst unsigned char kResource" << e.id << "[] =";
        writeLiteral(out, e.bytes);
        out << ";\n";
    }
    out << "}  // namespace\n\n";
    // The array needs one element even when the script lists nothing.
    out << "const EmbeddedResource kEmbeddedResources[] = {\n";
    for (const Entry& e : entries)
        out << "    {" << e.id << ", kResource" << e.id << ", " << e.bytes.size() << "},\n";
    if (entries.empty())
        out << "    {0, nullptr, 0},\n";
    out << "};\nconst std::size_t kEmbeddedResourceCount = " << entries.size() << ";\n\n}  // namespace platform\n";

    const std::string text = out.str();
    // Leave an unchanged file alone so that nothing recompiles for nothing.
    std::ifstream existing(outputPath, std::ios::binary);
    if (existing) {
        const std::string old{std::istreambuf_iterator<char>(existing), std::istreambuf_iterator<char>()};
        if (old == text)
            return;
    }
    std::ofstream file(outputPath, std::ios::binary);
    file << text;
    if (!file)
        throw std::runtime_error("cannot write " + outputPath);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <resources.rc> <output.cpp>\n", argv[0]);
        return 2;
    }
    try {
        writeSource(readScript(argv[1]), argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "valdora_embed: %s\n", e.what());
        return 1;
    }
    return 0;
}
