#pragma once

#include <cstdint>

// The arithmetic of scrolling the page, free of platform calls. Offsets are
// document pixels shown at the top of the client area; the scroll bar counts
// in coarse units of pixelsPerScrollUnit.

// Up by n, never below 0.
int32_t offsetAfterScrollUp(int32_t offset, int32_t n);
// Down by n, never above the maximum nor below 0, without overflow: a
// negative or huge saved offset opens at 0 or at the maximum.
int32_t offsetAfterScrollDown(int32_t offset, int32_t n, int32_t maxOffset);

int32_t pixelsPerScrollUnit(int32_t documentHeight, int32_t clientHeight);

// The scroll bar spans 0 to the client height; its page is the client height
// over the number of client heights in the document. False (leave the bar as
// it is) when the document fits or the client area has no height.
bool scrollBarPage(int32_t documentHeight, int32_t clientHeight, uint32_t& page);

// A move of the thumb from position `from` to `to`: down, or up (also for
// no move at all), by this many pixels, the product held within 32 bits.
struct ThumbMove {
    bool down;
    int32_t pixels;
};
ThumbMove thumbMove(int32_t unit, int32_t from, int32_t to);

// The positions the scroll bar's thumb can take: from the bar's minimum to
// its maximum less its page, plus one (a page of 0 counts as 1).
struct ThumbRange {
    int32_t first;
    int32_t last;
};
ThumbRange thumbRange(int32_t minimum, int32_t maximum, uint32_t page);
// A position taken within the range.
int32_t positionInRange(const ThumbRange& range, int32_t position);

// The page's move for a drag of the thumb from position `from` to `to`, both
// within `range`: by whole units, as thumbMove, except that a thumb brought to
// its first position shows the page's top and one brought to its last shows
// its end. Near the end offset / unit can lie past the last position, so
// whole units alone would never reach the top again.
ThumbMove thumbDrag(int32_t unit, const ThumbRange& range, int32_t from, int32_t to, int32_t offset, int32_t maxOffset);
