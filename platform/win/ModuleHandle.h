#pragma once

// The plug-in library's own module handle, noted when Windows loads the
// library: resources are read from this module, not from the host's.

namespace platform {

// The HINSTANCE of the plug-in library (null before it was loaded).
void* pluginModuleHandle();

}  // namespace platform
