#pragma once

// Windows key messages to the plug-in interface's key codes.

#include "core/VstInterface.h"

#include <windows.h>

namespace VSTGUI {

// Special keys set `virt`; printable keys set `character` to their Unicode code point.
VstKeyCode translateKey(WPARAM virtualKey, LPARAM keyData);

}  // namespace VSTGUI
