#pragma once

// Where the page's text lies in a grab of the reader's client area, read from
// the ink alone: its lines and, on each, the runs of ink that are its words
// (letters touch or nearly so; blanks are wider).

#include <cstdint>
#include <string>
#include <vector>

#include "LayoutDump.h"
#include "ReaderTestSupport.h"

struct InkRun {
    int left;
    int right; // inclusive
    int centre() const { return (left + right) / 2; }
};

struct InkLine {
    int top;
    int bottom; // inclusive
    std::vector<InkRun> runs;

    int left() const { return runs.front().left; }
    int centreY() const { return (top + bottom) / 2; }
    // A paragraph's first line is indented by eight blanks.
    bool indented() const { return left() >= IndentedFrom; }

    static const int IndentedFrom = 100;
};

// The lines of text between columns left and right (exclusive), top first.
std::vector<InkLine> inkLines(const Grab& grab, int left, int right);
// The last line of the paragraph that goes on at line `from`: the line before
// the next indented one, or the last line.
size_t paragraphEnd(const std::vector<InkLine>& lines, size_t from);
// The line whose top lies within a few rows of `top`, or null.
const InkLine* lineNear(const std::vector<InkLine>& lines, int top);

// A place in the page's reading order: a line, then a column.
struct TextPlace {
    int line;
    int x;
    bool operator<(const TextPlace& o) const { return line != o.line ? line < o.line : x < o.x; }
    bool operator==(const TextPlace& o) const { return line == o.line && x == o.x; }
    bool operator!=(const TextPlace& o) const { return !(*this == o); }
};

// The page line, counted from the document's top, whose ink begins at a
// client row while the page is scrolled by `offset` (past the author's
// picture, where the line tops are 20 more than a multiple of 30). The saved
// offset may run one timer step (5 pixels) ahead of the pixels: lines are
// told apart by rounding.
int pageLineOfInk(int inkTop, int32_t offset);
// Where the pixels of one colour begin and end in reading order; false when
// the grab holds none.
bool colourSpan(const Grab& grab, int32_t offset, uint32_t rgb, TextPlace& front, TextPlace& back);

// Whether the grab shows the page as the layout dump has it when scrolled by
// `offset`: every line wholly inside the grab has its ink in its rows of
// text, from its start x to the right end of its last word (an empty line
// none), and none in the blank rows below them. Lines that the
// sentence outline or a balloon touches are left out. Answers an empty text,
// or the first line that departs and how (a dump without lines departs).
std::string pageDeparture(const Grab& grab, const std::vector<DumpLine>& lines, int32_t offset);

// Two lines of the page that one segment runs across: in a grab of a whole
// state the end of the upper and the start of the lower have one colour.
struct LineJoin {
    DumpLine upper;
    DumpLine lower;
};
// Whether the grab, with the page scrolled by `offset`, shows colour rgb at
// the end of each join's upper line exactly where it shows it at the start of
// the lower one (joins not wholly inside the grab aside). Wine shows the
// invalidated part of a repaint at once and the rest a moment later, and the
// reader invalidates only the last line of a range it recolours: a grab may
// show a segment's last line green while its earlier lines are not yet.
bool joinsAgree(const Grab& grab, int32_t offset, const std::vector<LineJoin>& joins, uint32_t rgb);

// Whether two grabs have ink (any pixel not white) at the same places.
bool sameInk(const Grab& a, const Grab& b);
