#pragma once

// X key events to the plug-in interface's key codes.

#include "core/VstInterface.h"

#include <X11/Xlib.h>

namespace VSTGUI {

// Special keys set `virt`; printable keys set `character` to their Unicode code point.
VstKeyCode translateKey(XKeyEvent& event);

}  // namespace VSTGUI
