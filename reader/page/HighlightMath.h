#pragma once

#include <cstdint>

#include "document/AudioSegment.h"

// The arithmetic of playback on the page, without the platform: which cells a
// segment covers, how the segments of a paragraph are numbered, and when the
// page follows the highlighted segment by itself.

// The book-wide cells of a segment whose paragraph begins at cell
// `paragraphOffset`. False for a segment that is not in the table (its valid
// flag is not 1): such a segment is neither highlighted nor uncoloured.
bool segmentCells(const AudioSegment& segment, int32_t paragraphOffset, uint32_t& first, uint32_t& last);

// Numbers the segments in table order within their paragraphs: 0 for the
// first segment and wherever the paragraph changes, else one more than the
// segment before (also where a paragraph's segments go on in the next track).
class SegmentItemCounter {
public:
    SegmentItemCounter() : m_started(false), m_paragraph(0), m_item(0) {}
    virtual ~SegmentItemCounter() = default;

    int32_t next(int32_t paragraph);

private:
    bool m_started;
    int32_t m_paragraph;
    int32_t m_item;
};

// Nearer than this to the client area's bottom edge, the highlighted text
// starts the page scrolling; nearer to the top edge, it stops it.
const int32_t AutoScrollMargin = 100;

// The auto-scroll flag once the top of a tested cell is known: on while
// playing when the top lies below `clientHeight - AutoScrollMargin` of the
// client area, off when it lies above `AutoScrollMargin`, else unchanged.
uint8_t autoScrollAfter(uint8_t flag, uint8_t playing, int32_t cellTop, int32_t scrollOffset, int32_t clientHeight);
