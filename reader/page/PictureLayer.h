#pragma once

#include <windows.h>

#include <cstdint>

#include "core/FixedArray.h"
#include "core/PlatformChar.h"
#include "reader/window/DrawLayer.h"

// One picture of the page: its bitmap, loaded from file and never deleted,
// and where its top-left corner stands in document pixels.
class PictureSlot {
public:
    PictureSlot() : m_bitmap(nullptr), m_y(0), m_x(0) {}

    HBITMAP m_bitmap;
    int32_t m_y;
    int32_t m_x;
};

class PictureSlotArray : public FixedArray<PictureSlot> {
public:
    ~PictureSlotArray() override = default;
};

// The pictures between the paragraphs, copied into the window under the
// text when they are near the visible part of the page.
class PictureLayer : public DrawLayer {
public:
    explicit PictureLayer(WinApiWindow* owner) : DrawLayer(owner) {}
    ~PictureLayer() override = default;

    void onScrollUp(int32_t) override {}
    void onScrollDown(int32_t) override {}
    void draw(HDC dc) override;

    // False, with no slots, when n is 0 or there is no memory.
    bool setPictureCount(uint32_t n);
    uint32_t pictureCount() const { return m_slots.count(); }
    const PictureSlot& slot(uint32_t i) const { return m_slots.at(i); }
    // Loads a bitmap file (a bare name from the current directory) into slot
    // i, to stand at document (x, y); answers the bitmap, null when the file
    // is missing or not a bitmap.
    HBITMAP loadPicture(uint32_t i, const PlatformChar* fileName, int32_t y, int32_t x);

    // A picture whose top lies this far above the client area or farther is
    // not copied.
    static const int32_t SkipAbove = 1000;

private:
    PictureSlotArray m_slots;
};

// The picture layer of the reader window.
class PictureLayerImpl : public PictureLayer {
public:
    explicit PictureLayerImpl(WinApiWindow* owner) : PictureLayer(owner) {}
    ~PictureLayerImpl() override = default;
};
