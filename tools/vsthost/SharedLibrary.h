#pragma once

// Loading a shared library and finding its symbols: dlopen on Linux,
// LoadLibraryW on Windows, so the plug-in loader is the same on both.

#include <string>

namespace host {

// Null, with the reason in `error`, when the library does not load.
void* loadSharedLibrary(const std::string& path, std::string& error);
void* sharedLibrarySymbol(void* library, const char* name);
void unloadSharedLibrary(void* library);

}  // namespace host
