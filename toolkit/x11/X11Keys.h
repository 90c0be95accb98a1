#pragma once

// X key events to the toolkit's key codes.

#include "toolkit/KeyCode.h"

#include <X11/Xlib.h>

namespace VSTGUI {

// Special keys set `virt`; printable keys set `character` to their Unicode code point.
KeyCode translateKey(XKeyEvent& event);

}  // namespace VSTGUI
