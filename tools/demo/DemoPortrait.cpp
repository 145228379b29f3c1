#include "tools/demo/DemoPortrait.h"

#include "tools/demo/DemoFiles.h"

#include <cstdio>
#include <cstdlib>

namespace {

const RgbColor kPaperLight(236, 222, 196);
const RgbColor kPaperDark(196, 170, 130);
const RgbColor kFrame(92, 62, 36);
const RgbColor kCoat(48, 40, 44);
const RgbColor kCollar(244, 240, 232);
const RgbColor kSkin(226, 188, 150);
const RgbColor kSkinShade(204, 162, 124);
const RgbColor kHair(70, 52, 38);
const RgbColor kEyeWhite(248, 246, 240);
const RgbColor kIris(60, 84, 110);
const RgbColor kLips(168, 92, 80);

void putLittleEndian(std::string& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool insideEllipse(int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t rx, int32_t ry)
{
    const int64_t dx = x - cx;
    const int64_t dy = y - cy;
    const int64_t a = static_cast<int64_t>(rx) * rx;
    const int64_t b = static_cast<int64_t>(ry) * ry;
    return dx * dx * b + dy * dy * a <= a * b;
}

} // namespace

DemoPortrait::DemoPortrait() : m_pixels(static_cast<size_t>(kWidth) * kHeight)
{
    draw();
}

RgbColor DemoPortrait::pixelAt(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight)
        return RgbColor();
    return m_pixels[static_cast<size_t>(y) * kWidth + x];
}

void DemoPortrait::setPixel(int32_t x, int32_t y, const RgbColor& color)
{
    if (x >= 0 && y >= 0 && x < kWidth && y < kHeight)
        m_pixels[static_cast<size_t>(y) * kWidth + x] = color;
}

void DemoPortrait::fillEllipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, const RgbColor& color)
{
    for (int32_t y = cy - ry; y <= cy + ry; ++y) {
        for (int32_t x = cx - rx; x <= cx + rx; ++x) {
            if (insideEllipse(x, y, cx, cy, rx, ry))
                setPixel(x, y, color);
        }
    }
}

void DemoPortrait::fillRing(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int32_t width, const RgbColor& color)
{
    // Outside the ring only paper shows.
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            if (!insideEllipse(x, y, cx, cy, rx, ry))
                setPixel(x, y, paperAt(y));
            else if (!insideEllipse(x, y, cx, cy, rx - width, ry - width))
                setPixel(x, y, color);
        }
    }
}

RgbColor DemoPortrait::paperAt(int32_t y) const
{
    // Paper darkening towards the bottom.
    return RgbColor(kPaperLight.red + (kPaperDark.red - kPaperLight.red) * y / kHeight,
                    kPaperLight.green + (kPaperDark.green - kPaperLight.green) * y / kHeight,
                    kPaperLight.blue + (kPaperDark.blue - kPaperLight.blue) * y / kHeight);
}

void DemoPortrait::drawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t thickness, const RgbColor& color)
{
    const int32_t steps = std::abs(x1 - x0) > std::abs(y1 - y0) ? std::abs(x1 - x0) : std::abs(y1 - y0);
    for (int32_t i = 0; i <= steps; ++i) {
        const int32_t x = steps == 0 ? x0 : x0 + (x1 - x0) * i / steps;
        const int32_t y = steps == 0 ? y0 : y0 + (y1 - y0) * i / steps;
        fillEllipse(x, y, thickness / 2, thickness / 2, color);
    }
}

void DemoPortrait::draw()
{
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x)
            setPixel(x, y, paperAt(kHeight - 1 - y));
    }
    const int32_t cx = kWidth / 2;
    // Coat and collar.
    fillEllipse(cx, 420, 150, 125, kCoat);
    for (int32_t y = 262; y < 300; ++y) {
        const int32_t half = (y - 262) * 3 / 4 + 8;
        for (int32_t x = cx - half; x <= cx + half; ++x)
            setPixel(x, y, kCollar);
    }
    drawLine(cx, 282, cx, 330, 6, kCoat);
    // Neck, ears, hair, face.
    fillEllipse(cx, 250, 30, 40, kSkinShade);
    fillEllipse(cx - 60, 180, 12, 20, kSkinShade);
    fillEllipse(cx + 60, 180, 12, 20, kSkinShade);
    fillEllipse(cx, 150, 70, 78, kHair);
    fillEllipse(cx, 182, 58, 74, kSkin);
    fillEllipse(cx, 108, 52, 18, kHair);
    // Eyes and brows.
    for (int32_t side = -1; side <= 1; side += 2) {
        const int32_t ex = cx + side * 24;
        fillEllipse(ex, 172, 11, 5, kEyeWhite);
        fillEllipse(ex, 172, 5, 5, kIris);
        fillEllipse(ex, 172, 2, 2, kCoat);
        drawLine(ex - 12, 158 - (side < 0 ? 0 : 2), ex + 12, 158 - (side < 0 ? 2 : 0), 4, kHair);
    }
    // Nose, moustache, mouth.
    drawLine(cx + 2, 176, cx - 4, 204, 3, kSkinShade);
    drawLine(cx - 4, 204, cx + 6, 207, 3, kSkinShade);
    fillEllipse(cx - 13, 219, 15, 6, kHair);
    fillEllipse(cx + 13, 219, 15, 6, kHair);
    fillEllipse(cx, 232, 14, 4, kLips);
    // The oval frame over everything, light inside and dark outside.
    fillRing(cx, kHeight / 2, kWidth / 2 - 6, kHeight / 2 - 6, 14, kFrame);
}

std::string DemoPortrait::bmpBytes() const
{
    const uint32_t stride = (static_cast<uint32_t>(kWidth) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(kHeight);
    const uint32_t offset = 14 + 40;
    std::string bytes;
    bytes.reserve(offset + imageSize);
    // BITMAPFILEHEADER
    bytes += "BM";
    putLittleEndian(bytes, offset + imageSize, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, offset, 4);
    // BITMAPINFOHEADER: positive height, so the rows run from the bottom.
    putLittleEndian(bytes, 40, 4);
    putLittleEndian(bytes, static_cast<uint32_t>(kWidth), 4);
    putLittleEndian(bytes, static_cast<uint32_t>(kHeight), 4);
    putLittleEndian(bytes, 1, 2);  // planes
    putLittleEndian(bytes, 24, 2); // bits per pixel
    putLittleEndian(bytes, 0, 4);  // BI_RGB
    putLittleEndian(bytes, imageSize, 4);
    putLittleEndian(bytes, 2835, 4); // 72 dots per inch
    putLittleEndian(bytes, 2835, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, 0, 4);
    for (int32_t y = kHeight - 1; y >= 0; --y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const RgbColor c = pixelAt(x, y);
            bytes += static_cast<char>(c.blue & 0xFF);
            bytes += static_cast<char>(c.green & 0xFF);
            bytes += static_cast<char>(c.red & 0xFF);
        }
        for (uint32_t pad = static_cast<uint32_t>(kWidth) * 3; pad < stride; ++pad)
            bytes += '\0';
    }
    return bytes;
}

bool DemoPortrait::write(const std::string& path) const
{
    return writeFileBytes(path, bmpBytes());
}
