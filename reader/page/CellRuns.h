#pragma once

#include <cstdint>

#include "core/Geometry.h"
#include "core/RgbColor.h"
#include "reader/page/CharClasses.h"
#include "reader/page/TextCell.h"

// The arithmetic of the text layer over its cells, free of platform calls.
// Every walk visits existing cells only, so no index wraps into an endless
// or book-long loop.

// The cells the client area shows: whole lines inside a band one client
// height tall, from the first line whose top is at or below the scroll
// offset. `first` is the cell count when no cell starts at or below it.
struct VisibleRun {
    uint32_t first;
    uint32_t last; // meaningful only when `any`
    bool any;
};

// Scans from `start`, which must not lie below the first visible cell:
// tops never decrease in reading order.
VisibleRun findVisibleRun(const CellArray& cells, uint32_t start, int32_t offset, int32_t clientHeight);

// Where a drawn word ends, see drawWord.
struct WordRun {
    uint32_t first;
    uint32_t count;    // characters to draw: 0 for a blank
    uint32_t lastUsed; // the caller goes on after this cell
};
WordRun wordRunAt(const CellArray& cells, uint32_t a, const CharClasses& classes);

// Receives the texts to draw, in window coordinates.
class TextRunSink {
public:
    virtual ~TextRunSink() = default;
    virtual void drawText(int32_t x, int32_t y, const RgbColor& color, const CellChar* text, uint32_t n) = 0;
};

// The most characters handed to the sink at once.
const uint32_t MaxDrawnRun = 255;

// Draws one word (a letter, then letters and apostrophes) in its first
// letter's colour, one other character alone, or nothing for a blank (which
// is then skipped) or an empty cell. Longer words go in pieces of at most MaxDrawnRun
// characters, each at its own first cell. Answers the last cell used.
uint32_t drawWord(const CellArray& cells, uint32_t a, const CharClasses& classes, int32_t offset, TextRunSink& sink);
void drawVisibleRun(const CellArray& cells, const VisibleRun& run, const CharClasses& classes, int32_t offset,
                    TextRunSink& sink);

// The visible cell strictly inside whose box the point lies.
bool findCellAt(const CellArray& cells, const VisibleRun& run, int32_t x, int32_t y, uint32_t& index);

// The word around cell i, at most 64 cells between the exclusive bounds
// begin and end. True when it holds two characters or more; they are then
// copied, zero-terminated, into text (capacity units; 65 always suffice).
// begin may wrap below cell 0: that position reads the default cell.
const uint32_t MaxPickedWord = 64;
bool pickWordAt(const CellArray& cells, uint32_t i, const CharClasses& classes, CellChar* text, uint32_t capacity,
                uint32_t& begin, uint32_t& end);

// Lines from first to last, inclusive: at least 1.
uint32_t countLines(const CellArray& cells, uint32_t first, uint32_t last);

// Colours cells first to last and answers, in document coordinates, the part
// of the range's last line that they cover (zero when no cell was coloured).
Rect recolorCells(CellArray& cells, const RgbColor& color, uint32_t first, uint32_t last);

// The top of the last cell, or of the default cell when there is none.
int32_t lastCellTop(const CellArray& cells);
