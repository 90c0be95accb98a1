#include "toolkit/DoubleClickDetector.h"

#include <cmath>

namespace VSTGUI {

bool DoubleClickDetector::press(int button, uint32_t timeMs, const CPoint& where)
{
    // Unsigned difference: correct across the 32-bit wrap of server time.
    const bool isDouble = button == lastButton && timeMs - lastTimeMs <= kMaxIntervalMs &&
                          std::fabs(where.x - lastWhere.x) <= kMaxDistancePx &&
                          std::fabs(where.y - lastWhere.y) <= kMaxDistancePx;
    lastButton = isDouble ? -1 : button;
    lastTimeMs = timeMs;
    lastWhere = where;
    return isDouble;
}

}  // namespace VSTGUI
