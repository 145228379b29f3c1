#pragma once

#include <cstdint>

#include "core/WideString.h"
#include "document/BookParagraph.h"
#include "document/TextRanges.h"
#include "reader/page/TextCell.h"

// Width in pixels of one character of the page in the text font. The window
// measures it on its device context; tests use a table.
class CharMeasurer {
public:
    virtual ~CharMeasurer() = default;
    virtual int32_t charWidth(CellChar c) = 0;
};

// What the layout made of one line: its cells (the closing blank included),
// where it starts and where its last word ends, and how its blanks were
// widened.
class LaidOutLine {
public:
    LaidOutLine() : firstCell(0), lastCell(0), y(0), startX(0), lastWordRight(0), gap(0), extra(0) {}

    uint32_t firstCell;
    uint32_t lastCell;
    int32_t y;
    int32_t startX;
    int32_t lastWordRight;
    uint32_t gap;   // width of every blank of the line
    uint32_t extra; // how many of the first blanks move the next word one pixel more
};

// Told of every line as it is laid out, for layout dumps and checks.
class LineObserver {
public:
    virtual ~LineObserver() = default;
    virtual void lineLaidOut(const LaidOutLine& line) = 0;
};

// The fully justified page: breaks each paragraph into lines and gives every
// character and every separator of it one text cell. Each word is followed by
// one blank cell; on a line that is not its paragraph's last the blanks are
// widened so that the last word ends exactly at the line limit. The last
// line of a paragraph is flush left. Cells at or past the array's count are
// never written.
class PageLayout {
public:
    PageLayout(CellArray& cells, CharMeasurer& measurer);
    virtual ~PageLayout() = default;

    PageLayout(const PageLayout&) = delete;
    PageLayout& operator=(const PageLayout&) = delete;

    // The metrics for a page `layoutWidth` pixels wide: a left margin of a
    // sixteenth of it, a right margin twice as wide, blanks one pixel wider
    // than `blankWidth`.
    void setMetrics(int32_t layoutWidth, int32_t blankWidth, int32_t lineHeight);
    int32_t leftMargin() const { return m_left_margin; }
    int32_t lineLimit() const { return m_line_limit; }
    int32_t spaceWidth() const { return m_space_width; }
    int32_t lineHeight() const { return m_line_height; }

    void setLineObserver(LineObserver* observer) { m_line_observer = observer; }

    // All lines of a paragraph from cell `index` on, the first at y; both
    // move past the paragraph. Every line advances y by one and a half line
    // heights.
    void layOutParagraph(int32_t& y, uint32_t& index, const BookParagraph& paragraph);
    // One line from word `firstWord`; answers whether it was the paragraph's last.
    bool layOutLine(int32_t y, const BookParagraph& paragraph, uint32_t& index, uint32_t& firstWord);
    // How many words from `firstWord` go on one line: at least one, since a
    // word wider than the line stands alone on it, past the limit.
    uint32_t fitWords(const BookParagraph& paragraph, uint32_t firstWord, int32_t& leftover, bool& ended);
    int32_t wordWidth(const BookParagraph& paragraph, uint32_t word);
    // A paragraph's first line is indented by eight blank widths.
    int32_t lineStartX(uint32_t firstWord) const;
    void placeLine(const BookParagraph& paragraph, uint32_t& index, uint32_t firstWord, uint32_t wordCount, int32_t y,
                   int32_t leftover, bool ended);
    void placeWordCells(const WideString& text, const WordRange& word, int32_t y, int32_t& x, uint32_t index,
                        uint8_t inWord);
    void placeSpaceCell(uint32_t index, int32_t y, int32_t& x, uint32_t gap, uint32_t& extra);

private:
    void setCell(uint32_t index, const TextCell& cell);

    CellArray& m_cells;
    CharMeasurer& m_measurer;
    LineObserver* m_line_observer;
    int32_t m_left_margin;
    int32_t m_line_limit; // the largest x a word's right end may reach
    int32_t m_space_width;
    int32_t m_line_height;
};
