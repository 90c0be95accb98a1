#pragma once

// The plug-in library's own module handle, noted when Windows loads the
// library: resources are read from this module, not from the host's.

#include <string>

namespace platform {

// The HINSTANCE of the plug-in library.
void* pluginModuleHandle();

// The folder the plug-in library was loaded from, in UTF-8 without a
// trailing separator; empty when unknown.
std::string pluginModuleFolder();

}  // namespace platform
