#pragma once

// A memory device context over a 32-bit top-down picture whose pixels the
// tests read directly, white when made.

#include <windows.h>

#include <cstdint>
#include <vector>

class MemoryPicture {
public:
    // Compatible with `compatible`, or with the screen when it is null.
    MemoryPicture(HDC compatible, int width, int height);
    ~MemoryPicture();
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    void fill(uint32_t rgb);
    uint32_t at(int x, int y) const;
    // The first `rows` rows (all of them when negative), 0x00RRGGBB.
    std::vector<uint32_t> pixels(int rows = -1) const;
    // Pixels in [left, right) x [top, bottom) of a colour / not white.
    int count(uint32_t rgb, int left, int top, int right, int bottom) const;
    int countNotWhite() const;

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_dib;
    HGDIOBJ m_old;
    uint32_t* m_bits = nullptr;
};
