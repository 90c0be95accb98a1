#pragma once

// Windows key messages to the toolkit's key codes.

#include "toolkit/KeyCode.h"

#include <windows.h>

namespace VSTGUI {

// Special keys set `virt`; printable keys set `character` to their Unicode code point.
KeyCode translateKey(WPARAM virtualKey, LPARAM keyData);

}  // namespace VSTGUI
