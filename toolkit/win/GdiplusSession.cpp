#include "toolkit/win/GdiplusSession.h"

#include <windows.h>
#include <gdiplus.h>

namespace VSTGUI {

bool ensureGdiplus()
{
    // Only the user interface thread draws, so a function-local static suffices.
    static const bool started = [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

}  // namespace VSTGUI
