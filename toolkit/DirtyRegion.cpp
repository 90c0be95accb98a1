#include "toolkit/DirtyRegion.h"

#include <cmath>

namespace VSTGUI {

void DirtyRegion::add(const CRect& rect)
{
    if (rect.isEmpty())
        return;
    // Whole pixels: a fractional edge would leave half-drawn seams.
    CRect merged(std::floor(rect.left), std::floor(rect.top), std::ceil(rect.right), std::ceil(rect.bottom));
    bool grew = true;
    while (grew) {
        grew = false;
        for (auto it = rects.begin(); it != rects.end(); ++it) {
            if (it->rectOverlap(merged)) {
                merged.unite(*it);
                rects.erase(it);
                grew = true;
                break;
            }
        }
    }
    rects.push_back(merged);
    if (rects.size() > kMaxRects) {
        CRect all;
        for (const CRect& r : rects)
            all.unite(r);
        rects.assign(1, all);
    }
}

}  // namespace VSTGUI
