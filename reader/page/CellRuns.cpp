#include "reader/page/CellRuns.h"

namespace {

const CellChar Blank = 0x20;
const CellChar Apostrophe = 0x27;

// The last existing cell at or before `last`; false when there is none from `first` on.
bool clampToCells(const CellArray& cells, uint32_t first, uint32_t& last)
{
    if (cells.count() == 0 || first >= cells.count())
        return false;
    if (last >= cells.count())
        last = cells.count() - 1;
    return first <= last;
}

} // namespace

VisibleRun findVisibleRun(const CellArray& cells, uint32_t start, int32_t offset, int32_t clientHeight)
{
    const uint32_t count = cells.count();
    uint32_t i = start < count ? start : count;
    while (i < count && cells.at(i).top() < offset)
        ++i;
    VisibleRun run;
    run.first = i;
    run.last = i;
    run.any = false;
    const int64_t limit = static_cast<int64_t>(cells.at(i).top()) + clientHeight;
    uint32_t j = i;
    while (j < count && cells.at(j).bottom() <= limit)
        ++j;
    if (j > i) {
        run.last = j - 1;
        run.any = true;
    }
    return run;
}

WordRun wordRunAt(const CellArray& cells, uint32_t a, const CharClasses& classes)
{
    WordRun run;
    run.first = a;
    run.lastUsed = a;
    const CellChar c = cells.at(a).character();
    if (classes.isLetter(c)) {
        uint32_t j = a + 1;
        while (j < cells.count()) {
            const CellChar next = cells.at(j).character();
            if (!classes.isLetter(next) && next != Apostrophe)
                break;
            ++j;
        }
        run.count = j - a;
        // Step back to the word's last cell unless a blank ended it: the
        // caller then skips the blank too.
        run.lastUsed = cells.at(j).character() == Blank ? j : j - 1;
    } else if (c == Blank || c == 0) {
        // A cell that holds no character (the default cell) draws nothing either.
        run.count = 0;
    } else {
        run.count = 1;
    }
    return run;
}

uint32_t drawWord(const CellArray& cells, uint32_t a, const CharClasses& classes, int32_t offset, TextRunSink& sink)
{
    const WordRun run = wordRunAt(cells, a, classes);
    const RgbColor color = cells.at(a).color();
    CellChar text[MaxDrawnRun + 1];
    for (uint32_t done = 0; done < run.count;) {
        uint32_t n = run.count - done;
        if (n > MaxDrawnRun)
            n = MaxDrawnRun;
        for (uint32_t k = 0; k < n; ++k)
            text[k] = cells.at(a + done + k).character();
        text[n] = 0;
        const TextCell& at = cells.at(a + done);
        sink.drawText(at.left(), at.top() - offset, color, text, n);
        done += n;
    }
    return run.lastUsed;
}

void drawVisibleRun(const CellArray& cells, const VisibleRun& run, const CharClasses& classes, int32_t offset,
                    TextRunSink& sink)
{
    uint32_t last = run.last;
    if (!run.any || !clampToCells(cells, run.first, last))
        return;
    uint32_t i = run.first;
    while (i <= last) {
        const uint32_t used = drawWord(cells, i, classes, offset, sink);
        if (used >= last)
            break;
        i = used + 1;
    }
}

bool findCellAt(const CellArray& cells, const VisibleRun& run, int32_t x, int32_t y, uint32_t& index)
{
    uint32_t last = run.last;
    if (!run.any || !clampToCells(cells, run.first, last))
        return false;
    for (uint32_t i = run.first;; ++i) {
        const TextCell& cell = cells.at(i);
        if (cell.left() < x && x < cell.right() && cell.top() < y && y < cell.bottom()) {
            index = i;
            return true;
        }
        if (i == last)
            return false;
    }
}

bool pickWordAt(const CellArray& cells, uint32_t i, const CharClasses& classes, CellChar* text, uint32_t capacity,
                uint32_t& begin, uint32_t& end)
{
    begin = i;
    end = i;
    if (classes.isWordChar(cells.at(i).character())) {
        // Unsigned: begin may pass below cell 0 and read the default cell,
        // whose character 0 stops the scan.
        while (classes.isWordChar(cells.at(begin).character()) && end - begin < MaxPickedWord)
            --begin;
        do {
            ++end;
        } while (classes.isWordChar(cells.at(end).character()) && end - begin < MaxPickedWord);
    }
    const uint32_t n = end - begin;
    if (n <= 2 || text == nullptr || capacity < n)
        return false;
    uint32_t k = 0;
    for (uint32_t c = begin + 1; c != end; ++c)
        text[k++] = cells.at(c).character();
    text[k] = 0;
    return true;
}

uint32_t countLines(const CellArray& cells, uint32_t first, uint32_t last)
{
    uint32_t lines = 1;
    if (!clampToCells(cells, first, last))
        return lines;
    for (uint32_t i = first; i < last; ++i) {
        if (cells.at(i + 1).top() > cells.at(i).top())
            ++lines;
    }
    return lines;
}

Rect recolorCells(CellArray& cells, const RgbColor& color, uint32_t first, uint32_t last)
{
    Rect line;
    if (!clampToCells(cells, first, last))
        return line;
    for (uint32_t i = first;; ++i) {
        TextCell& cell = cells.at(i);
        cell.setColor(color);
        if (i == first || cell.bottom() != line.bottom()) {
            line.moveTo(cell.left(), cell.top());
            line.setHeight(cell.bottom() - cell.top());
        }
        line.setWidth(cell.right() - line.left());
        if (i == last)
            break;
    }
    return line;
}

int32_t lastCellTop(const CellArray& cells)
{
    // With no cells, count - 1 wraps to an index that reads the default cell.
    return cells.at(cells.count() - 1).top();
}
