#pragma once

// One of the library's images for a panel: null when the library lacks it,
// so the caller can skip the view instead of drawing nothing.

#include "toolkit/CBaseObject.h"
#include "toolkit/CBitmap.h"

namespace editor {

inline VSTGUI::SharedPointer<VSTGUI::CBitmap> loadPanelBitmap(int resourceId)
{
    auto* bitmap = new VSTGUI::CBitmap(VSTGUI::CResourceDescription(resourceId));
    VSTGUI::SharedPointer<VSTGUI::CBitmap> held(bitmap, false);
    if (!bitmap->isLoaded())
        held.reset(nullptr);
    return held;
}

}  // namespace editor
