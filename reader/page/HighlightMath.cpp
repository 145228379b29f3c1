#include "reader/page/HighlightMath.h"

#include "reader/page/TextRegion.h"

bool segmentCells(const AudioSegment& segment, int32_t paragraphOffset, uint32_t& first, uint32_t& last)
{
    if (segment.isValid() != 1)
        return false;
    first = bookCellIndex(paragraphOffset, segment.firstChar());
    last = bookCellIndex(paragraphOffset, segment.lastChar());
    return true;
}

int32_t SegmentItemCounter::next(int32_t paragraph)
{
    if (m_started && paragraph == m_paragraph)
        m_item += 1;
    else
        m_item = 0;
    m_started = true;
    m_paragraph = paragraph;
    return m_item;
}

uint8_t autoScrollAfter(uint8_t flag, uint8_t playing, int32_t cellTop, int32_t scrollOffset, int32_t clientHeight)
{
    // In 64 bits: a default cell far off, or a huge offset, must not wrap.
    const int64_t top = cellTop;
    const int64_t offset = scrollOffset;
    if (top > offset + clientHeight - AutoScrollMargin && playing == 1)
        return 1;
    if (top < offset + AutoScrollMargin)
        return 0;
    return flag;
}
