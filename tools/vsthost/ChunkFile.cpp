#include "tools/vsthost/ChunkFile.h"

#include "tools/vsthost/HostError.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace vsthost {

namespace {

// No plug-in state comes anywhere near this; a bigger file is not a chunk.
constexpr std::streamoff kMaxChunkBytes = 64 * 1024 * 1024;

}  // namespace

std::vector<unsigned char> readChunkFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw HostError(kExitFile, "cannot read chunk file '" + path + "': " + std::strerror(errno));
    const std::streamoff size = in.tellg();
    if (size <= 0)
        throw HostError(kExitFile, "chunk file '" + path + "' is empty");
    if (size > kMaxChunkBytes)
        throw HostError(kExitFile, "chunk file '" + path + "' is too large to be a state chunk");
    std::vector<unsigned char> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        throw HostError(kExitFile, "cannot read chunk file '" + path + "'");
    return bytes;
}

void writeChunkFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw HostError(kExitFile, "cannot write chunk file '" + path + "': " + std::strerror(errno));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw HostError(kExitFile, "cannot write chunk file '" + path + "'");
}

}  // namespace vsthost
