#pragma once

// GDI+ is started on first use by any drawing object and stays started until
// the process ends: it may not be shut down while the library unloads, and
// images of a closed editor may still be alive.

namespace VSTGUI {

// True when GDI+ runs (starting it the first time).
bool ensureGdiplus();

}  // namespace VSTGUI
