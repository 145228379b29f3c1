#pragma once

// An owner window for the outline and balloon layers that draws into a
// memory bitmap: a hidden 800 x 600 popup answers for the client area, and
// the kept device context holds an 800 x 600 32-bit top-down bitmap whose
// pixels the tests read directly.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "MemoryPicture.h"
#include "PixelColors.h"
#include "reader/window/WinApiWindow.h"

class DibWindow : public WinApiWindow {
public:
    static constexpr int Width = 800;
    static constexpr int Height = 600;

    DibWindow();
    ~DibWindow() override;

    // The memory device context with the bitmap, filled white.
    void acquireDC() override;

    void fill(uint32_t color) { m_picture->fill(color); }
    uint32_t pixel(int x, int y) const { return m_picture->at(x, y); }
    std::vector<uint32_t> pixels() const { return m_picture->pixels(); }
    // Pixels in [left, right) x [top, bottom) of a colour.
    int count(uint32_t color, int left, int top, int right, int bottom) const
    {
        return m_picture->count(color, left, top, right, bottom);
    }

    void setTranslationVisible(uint32_t, uint8_t) override {}
    void setDictionaryLanguage(uint32_t) override {}
    const PlatformChar* scrollOffsetKey() override { return TEXT("BalloonTestShift"); }
    void goToChapter(WPARAM) override {}
    void openStoreLinks() override {}
    void start() override {}
    int32_t documentHeight() override { return 0; }

private:
    MemoryPicture* m_picture;
};
