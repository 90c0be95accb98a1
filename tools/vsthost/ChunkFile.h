#pragma once

#include <string>
#include <vector>

namespace vsthost {

// A plug-in's state chunk kept as a file of its raw bytes, as hosts store it in a project.
// Both throw HostError with the file's name and the reason.
std::vector<unsigned char> readChunkFile(const std::string& path);
void writeChunkFile(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace vsthost
