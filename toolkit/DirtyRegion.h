#pragma once

// The parts of a frame that must be redrawn at the next idle, kept as a few
// rectangles: overlapping rectangles merge, and past a limit all merge into
// their bounding box, so drawing stays bounded however much was invalidated.

#include "toolkit/CRect.h"

#include <vector>

namespace VSTGUI {

class DirtyRegion {
public:
    void add(const CRect& rect);
    void clear() { rects.clear(); }
    bool isEmpty() const { return rects.empty(); }
    const std::vector<CRect>& getRects() const { return rects; }

private:
    static constexpr size_t kMaxRects = 16;
    std::vector<CRect> rects;
};

}  // namespace VSTGUI
