#include "reader/window/ScrollMath.h"

#include <climits>

namespace {

int32_t clampToInt32(int64_t v)
{
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(v);
}

// From one offset to another, the distance held within 32 bits.
ThumbMove moveBetween(int64_t from, int64_t to)
{
    ThumbMove move;
    move.down = from < to;
    move.pixels = clampToInt32(move.down ? to - from : from - to);
    return move;
}

} // namespace

int32_t offsetAfterScrollUp(int32_t offset, int32_t n)
{
    if (offset < n)
        return 0;
    return clampToInt32(static_cast<int64_t>(offset) - n);
}

int32_t offsetAfterScrollDown(int32_t offset, int32_t n, int32_t maxOffset)
{
    int64_t moved = static_cast<int64_t>(offset) + n;
    if (moved > maxOffset)
        moved = maxOffset;
    if (moved < 0)
        moved = 0;
    return static_cast<int32_t>(moved);
}

int32_t pixelsPerScrollUnit(int32_t documentHeight, int32_t clientHeight)
{
    if (clientHeight < 0)
        clientHeight = 0;
    return static_cast<int32_t>(documentHeight / (static_cast<int64_t>(clientHeight) + 1) + 1);
}

bool scrollBarPage(int32_t documentHeight, int32_t clientHeight, uint32_t& page)
{
    if (documentHeight <= clientHeight || clientHeight <= 0)
        return false;
    page = static_cast<uint32_t>(clientHeight) / static_cast<uint32_t>(documentHeight / clientHeight);
    return true;
}

ThumbMove thumbMove(int32_t unit, int32_t from, int32_t to)
{
    return moveBetween(static_cast<int64_t>(from) * unit, static_cast<int64_t>(to) * unit);
}

ThumbRange thumbRange(int32_t minimum, int32_t maximum, uint32_t page)
{
    ThumbRange range;
    range.first = minimum;
    const int64_t last = static_cast<int64_t>(maximum) - (page > 1 ? page - 1 : 0);
    range.last = last < minimum ? minimum : static_cast<int32_t>(last);
    return range;
}

int32_t positionInRange(const ThumbRange& range, int32_t position)
{
    if (position < range.first)
        return range.first;
    if (position > range.last)
        return range.last;
    return position;
}

ThumbMove thumbDrag(int32_t unit, const ThumbRange& range, int32_t from, int32_t to, int32_t offset, int32_t maxOffset)
{
    if (to != from && to == range.first)
        return moveBetween(offset, 0);
    if (to != from && to == range.last)
        return moveBetween(offset, maxOffset);
    return thumbMove(unit, from, to);
}
