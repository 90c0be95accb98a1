#pragma once

#include <cstdint>

namespace VSTGUI {

// 8-bit red, green, blue and alpha (255 = opaque), not premultiplied.
struct CColor {
    bool operator==(const CColor& o) const
    {
        return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
    }
    bool operator!=(const CColor& o) const { return !(*this == o); }

    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

constexpr CColor MakeCColor(uint8_t red = 0, uint8_t green = 0, uint8_t blue = 0, uint8_t alpha = 255)
{
    return CColor{red, green, blue, alpha};
}

constexpr CColor kTransparentCColor = MakeCColor(255, 255, 255, 0);
constexpr CColor kBlackCColor = MakeCColor(0, 0, 0, 255);
constexpr CColor kWhiteCColor = MakeCColor(255, 255, 255, 255);
constexpr CColor kGreyCColor = MakeCColor(127, 127, 127, 255);

}  // namespace VSTGUI
