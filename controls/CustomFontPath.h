#pragma once

// Where the custom font file is: beside the user manual named by
// "ManualPath", or, when that does not hold the file, in the installed data
// folder or (for builds run from the tree) the source tree's font folder.

#include <optional>
#include <string>
#include <vector>

namespace customfont {

constexpr const char* kFontFileName = "QORValdora.qsf";

// The folder of the manual (everything up to its last '/' or '\\') joined
// with the font's file name; the bare file name when there is no value or
// the value names no folder.
std::string fontPathBesideManual(const std::optional<std::string>& manualPath);

// The first of the path beside the manual and the fallbacks that names a
// readable file; the path beside the manual when none does.
std::string resolveFontPath(const std::optional<std::string>& manualPath, const std::vector<std::string>& fallbacks);

// The installed data folders' copies, then the source tree's.
std::vector<std::string> defaultFallbackPaths();

// All of the above with "ManualPath" from the per-user settings.
std::string customFontPath();

}  // namespace customfont
