#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/RgbColor.h"

// The author's picture of the demo edition, "Vireau.bmp": a plain drawn
// portrait in an oval frame, written as an uncompressed 24-bit bottom-up
// bitmap (file header and BITMAPINFOHEADER), which the picture layer loads
// from file as it is.
class DemoPortrait {
public:
    static const int32_t kWidth = 320;
    static const int32_t kHeight = 400;

    DemoPortrait();
    virtual ~DemoPortrait() = default;

    RgbColor pixelAt(int32_t x, int32_t y) const;

    std::string bmpBytes() const;
    bool write(const std::string& path) const;

private:
    void draw();
    RgbColor paperAt(int32_t y) const;
    void setPixel(int32_t x, int32_t y, const RgbColor& color);
    void fillEllipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, const RgbColor& color);
    void fillRing(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int32_t width, const RgbColor& color);
    void drawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t thickness, const RgbColor& color);

    std::vector<RgbColor> m_pixels; // rows from the top
};
