#pragma once

#include <cstdint>

class RgbColor {
public:
    RgbColor() : red(0), green(0), blue(0) {}
    RgbColor(int32_t r, int32_t g, int32_t b) : red(r), green(g), blue(b) {}

    bool operator==(const RgbColor& o) const { return red == o.red && green == o.green && blue == o.blue; }
    bool operator!=(const RgbColor& o) const { return !(*this == o); }

    // The platform colour (COLORREF layout): only the low byte of each member counts.
    uint32_t colorRef() const
    {
        return (static_cast<uint32_t>(red) & 0xFFu) | ((static_cast<uint32_t>(green) & 0xFFu) << 8) |
               ((static_cast<uint32_t>(blue) & 0xFFu) << 16);
    }

    int32_t red;
    int32_t green;
    int32_t blue;
};
