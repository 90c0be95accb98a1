#pragma once

// Window systems without a double-click event: a press is a double click
// when it follows a press of the same button within 300 ms and 4 pixels.
// A third press starts over rather than making a second double click.

#include "toolkit/CPoint.h"

#include <cstdint>

namespace VSTGUI {

class DoubleClickDetector {
public:
    static constexpr uint32_t kMaxIntervalMs = 300;
    static constexpr CCoord kMaxDistancePx = 4;

    bool press(int button, uint32_t timeMs, const CPoint& where);

private:
    int lastButton = -1;
    uint32_t lastTimeMs = 0;
    CPoint lastWhere;
};

}  // namespace VSTGUI
