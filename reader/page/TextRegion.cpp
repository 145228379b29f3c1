#include "reader/page/TextRegion.h"

namespace {

// Every cell index at or past the array's count reads the one default cell.
// The two walks below stop at the count and settle the rest of their way at
// once, so a range read as four billion cells costs no more than the book.

// The first cell of the range's second line, or `last` when the range ends on
// its first line.
uint32_t secondLineStart(const CellArray& cells, uint32_t first, uint32_t last)
{
    const int32_t top = cells.at(first).top();
    uint32_t h = first;
    while (h < last && h < cells.count() && cells.at(h).top() <= top)
        ++h;
    if (h < last && cells.at(h).top() <= top)
        h = last; // past the count: default cells all the way
    return h;
}

// The last cell before the range's last line (that line's closing blank), or
// `first` when the range lies on one line.
uint32_t lastLineEnd(const CellArray& cells, uint32_t first, uint32_t last)
{
    const int32_t bottom = cells.at(last).bottom();
    uint32_t o = last;
    if (o >= cells.count() && o > first)
        o = cells.count() > first ? cells.count() - 1 : first; // default cells all the way down
    while (o > first && cells.at(o).bottom() >= bottom)
        --o;
    return o;
}

// The rectangle from corner a to corner b.
void span(Rect& r, const Point& a, const Point& b)
{
    r.setTopLeft(a);
    r.setBottomRight(b);
}

} // namespace

void TextRegion::setRange(int32_t paragraph, int32_t item, int32_t first, int32_t last)
{
    m_paragraph_index = paragraph;
    m_item_index = item;
    m_first_char = first;
    m_last_char = last;
}

bool TextRegion::contains(const Point& p) const
{
    for (uint32_t i = 0; i < count(); ++i) {
        if (at(i).contains(p))
            return true;
    }
    return false;
}

void RegionList::setRegionRange(const CellArray& cells, int32_t paragraphOffset, uint32_t lineCount,
                                const CharRange& range, int32_t paragraph, int32_t item, uint32_t region)
{
    at(region).setRange(paragraph, item, range.first(), range.last());
    buildRegionRects(lineCount, region, cells, bookCellIndex(paragraphOffset, range.first()),
                     bookCellIndex(paragraphOffset, range.last()));
}

void RegionList::buildRegionRects(uint32_t lineCount, uint32_t region, const CellArray& cells, uint32_t first,
                                  uint32_t last)
{
    uint32_t m = 3;
    if (lineCount <= 1)
        m = 1;
    else if (lineCount == 2 && cells.at(first).left() > cells.at(last).right())
        m = 2; // the two lines do not overlap: nothing joins them
    TextRegion& rects = at(region);
    rects.setSize(m);

    // h - 1 is the blank that closes every laid-out line, h - 2 the first
    // line's last character.
    const uint32_t h = secondLineStart(cells, first, last);
    Rect& head = rects.at(0);
    span(head, cells.at(first).box().topLeft(), cells.at(m == 1 ? h : h - 2).box().bottomRight());
    if (m == 1)
        return;

    const uint32_t o = lastLineEnd(cells, first, last);
    Rect& tail = rects.at(m - 1);
    span(tail, cells.at(o + 1).box().topLeft(), cells.at(last).box().bottomRight());
    if (m == 2)
        return;

    Rect& middle = rects.at(1);
    if (lineCount == 2) {
        // Fills the gap between the two lines where they overlap.
        span(middle, head.bottomLeft(), tail.topRight());
        return;
    }
    // The middle block runs from the second line to the line before the last;
    // the first and last parts are stretched to touch it.
    span(middle, cells.at(h).box().topLeft(), cells.at(o - 1).box().bottomRight());
    head.setBottomRight(middle.topRight());
    tail.growUp(tail.top() - middle.bottom());
}

bool RegionList::findRegionAt(const Point& p, uint32_t& region) const
{
    for (region = 0; region < count(); ++region) {
        if (at(region).contains(p))
            return true;
    }
    return false;
}
