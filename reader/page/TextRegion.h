#pragma once

#include <cstdint>

#include "core/FixedArray.h"
#include "core/Geometry.h"
#include "document/TextRanges.h"
#include "reader/page/TextCell.h"

class ReaderWindow;

// The book-wide cell of character `character` of the paragraph whose first
// cell is `paragraphOffset`. Unsigned, so that any range read from a
// translation file gives some index instead of an overflow.
inline uint32_t bookCellIndex(int32_t paragraphOffset, int32_t character)
{
    return static_cast<uint32_t>(paragraphOffset) + static_cast<uint32_t>(character);
}

// A sentence or a recorded segment on the page: which paragraph and which
// item of it, its characters relative to the paragraph (both inclusive), and
// one to three rectangles in document pixels that cover its laid-out text:
// the first line's part, the middle block, the last line's part.
class TextRegion : public FixedArray<Rect> {
public:
    TextRegion() : m_paragraph_index(0), m_item_index(0), m_first_char(0), m_last_char(0) {}
    ~TextRegion() override = default;

    void setRange(int32_t paragraph, int32_t item, int32_t first, int32_t last);

    int32_t groupIndex() const { return m_paragraph_index; }
    int32_t itemIndex() const { return m_item_index; }
    int32_t firstChar() const { return m_first_char; }
    int32_t lastChar() const { return m_last_char; }

    // True when one of the rectangles holds the point, edges included.
    bool contains(const Point& p) const;

private:
    int32_t m_paragraph_index;
    int32_t m_item_index;
    int32_t m_first_char;
    int32_t m_last_char;
};

// The regions of one kind (sentences or segments) in reading order; a region's
// index is its position here.
class RegionList : public FixedArray<TextRegion> {
public:
    ~RegionList() override = default;

    // Region `region` takes the paragraph-relative range and the rectangles of
    // its cells in the reader window's page.
    void setRegionRange(ReaderWindow& window, const CharRange& range, int32_t paragraph, int32_t item, uint32_t region);
    // The same for any cells. The caller supplies what the window knows: the
    // paragraph's first cell and the number of lines the range's cells span.
    void setRegionRange(const CellArray& cells, int32_t paragraphOffset, uint32_t lineCount, const CharRange& range,
                        int32_t paragraph, int32_t item, uint32_t region);

    // The rectangles of region `region` from the boxes of the book-wide cells
    // first to last (inclusive), which span `lineCount` lines.
    void buildRegionRects(uint32_t lineCount, uint32_t region, const CellArray& cells, uint32_t first, uint32_t last);

    // The first region in list order that holds the point. Without a hit the
    // answer is false and the index equals the region count.
    bool findRegionAt(const Point& p, uint32_t& region) const;
};
