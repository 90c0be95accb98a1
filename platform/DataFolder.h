#pragma once

// The folder the installation puts the plug-in's data files in (the user
// manual, the tape font and its licence): <prefix>/share/qor-valdora.

#include <string>
#include <vector>

namespace platform {

constexpr const char* kDataFolderName = "qor-valdora";

// The data folders worth looking in, best first: the one beside the loaded
// library (a plug-in in <prefix>/lib/vst or a tool in <prefix>/bin finds the
// <prefix> it was installed under, wherever that is), then the folder of
// the prefix this build was configured for.
std::vector<std::string> dataFolderCandidates();

// The same, for a module file at modulePath and a configured folder.
std::vector<std::string> dataFolderCandidates(const std::string& modulePath, const std::string& configuredFolder);

// The file of that name in the first candidate folder that holds it
// readable; empty when none does.
std::string findDataFile(const std::string& fileName);

}  // namespace platform
