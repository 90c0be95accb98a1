#pragma once

// A point in view coordinates (pixels, y grows downwards).

namespace VSTGUI {

using CCoord = double;

struct CPoint {
    CPoint() = default;
    CPoint(CCoord x, CCoord y) : x(x), y(y) {}

    CPoint& operator()(CCoord newX, CCoord newY)
    {
        x = newX;
        y = newY;
        return *this;
    }
    CPoint& offset(CCoord dx, CCoord dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    CPoint& offset(const CPoint& delta) { return offset(delta.x, delta.y); }
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const CPoint& other) const { return !(*this == other); }
    CPoint operator+(const CPoint& other) const { return {x + other.x, y + other.y}; }
    CPoint operator-(const CPoint& other) const { return {x - other.x, y - other.y}; }

    CCoord x = 0;
    CCoord y = 0;
};

}  // namespace VSTGUI
