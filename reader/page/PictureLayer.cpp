#include "reader/page/PictureLayer.h"

#include "reader/window/WinApiWindow.h"

bool PictureLayer::setPictureCount(uint32_t n)
{
    return m_slots.setSize(n);
}

HBITMAP PictureLayer::loadPicture(uint32_t i, const PlatformChar* fileName, int32_t y, int32_t x)
{
    PictureSlot& slot = m_slots.at(i);
    slot.m_y = y;
    slot.m_x = x;
    slot.m_bitmap =
        static_cast<HBITMAP>(LoadImage(owner()->hinstance(), fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    return slot.m_bitmap;
}

// One memory context per paint; each bitmap is selected out of it again
// before it goes, so nothing of the paint outlives it.
void PictureLayer::draw(HDC dc)
{
    if (m_slots.count() == 0)
        return;
    HDC memory = CreateCompatibleDC(dc);
    if (memory == nullptr)
        return;
    const int64_t offset = owner()->scrollOffset();
    const int64_t clientHeight = owner()->clientBox()->height();
    HGDIOBJ original = nullptr;
    for (uint32_t i = 0; i < m_slots.count(); ++i) {
        const PictureSlot& slot = m_slots.at(i);
        if (slot.m_bitmap == nullptr)
            continue;
        BITMAP bitmap;
        if (GetObject(slot.m_bitmap, sizeof(bitmap), &bitmap) == 0)
            continue;
        const int64_t top = slot.m_y - offset;
        if (top <= -SkipAbove || top >= clientHeight)
            continue;
        HGDIOBJ old = SelectObject(memory, slot.m_bitmap);
        if (original == nullptr)
            original = old;
        BitBlt(dc, slot.m_x, static_cast<int>(top), bitmap.bmWidth, bitmap.bmHeight, memory, 0, 0, SRCCOPY);
    }
    if (original != nullptr)
        SelectObject(memory, original);
    DeleteDC(memory);
}
