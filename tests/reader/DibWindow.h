#pragma once

// An owner window for the outline and balloon layers that draws into a
// memory bitmap: a hidden 800 x 600 popup answers for the client area, and
// the kept device context holds an 800 x 600 32-bit top-down bitmap whose
// pixels the tests read directly.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "reader/WinApiWindow.h"

// Pixels as the bitmap holds them: 0x00RRGGBB.
inline uint32_t rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return (r << 16) | (g << 8) | b;
}
const uint32_t White = rgb(255, 255, 255);
const uint32_t Black = rgb(0, 0, 0);
const uint32_t Teal = rgb(0, 176, 176);
const uint32_t BalloonYellow = rgb(255, 255, 223);

class DibWindow : public WinApiWindow {
public:
    static constexpr int Width = 800;
    static constexpr int Height = 600;

    DibWindow();
    ~DibWindow() override;

    // The memory device context with the bitmap, filled white.
    void acquireDC() override;

    void fill(uint32_t color);
    uint32_t pixel(int x, int y) const { return m_bits[static_cast<size_t>(y) * Width + x] & 0x00FFFFFF; }
    std::vector<uint32_t> pixels() const;
    // Pixels in [left, right) x [top, bottom) of a colour.
    int count(uint32_t color, int left, int top, int right, int bottom) const;

    void setTranslationVisible(uint32_t, uint8_t) override {}
    void setDictionaryLanguage(uint32_t) override {}
    const PlatformChar* scrollOffsetKey() override { return TEXT("BalloonTestShift"); }
    void goToChapter(WPARAM) override {}
    void openStoreLinks() override {}
    void start() override {}
    int32_t documentHeight() override { return 0; }

private:
    HBITMAP m_bitmap;
    HGDIOBJ m_old_bitmap;
    uint32_t* m_bits;
};
