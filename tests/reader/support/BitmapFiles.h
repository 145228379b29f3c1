#pragma once

// Uncompressed 24-bit bitmap files, bottom-up as the platform writes them:
// for pictures that tests load, and to read the author's picture.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct BitmapPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// `color` gives 0x00RRGGBB of each pixel, (0, 0) the top-left one.
bool writeBitmapFile(const std::wstring& path, int width, int height, const std::function<uint32_t(int, int)>& color);
bool readBitmapFile(const std::wstring& path, BitmapPixels& out);
