#include "toolkit/OffscreenRender.h"

#include "toolkit/CFrame.h"

namespace VSTGUI {

bool renderToPng(CFrame& frame, const std::string& path)
{
    frame.invalidateDirtyViews();
    frame.drawDirtyRegion();
    return frame.getBackBuffer().writePng(path);
}

}  // namespace VSTGUI
