#include "PageInk.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Blank rows inside one line of text (between an accent and its letter).
const int MaxGapRowsInLine = 2;
// Blank columns inside one word; a blank between words is wider.
const int MaxGapColumnsInWord = 3;
const int NearRows = 4;
// Page lines: 30 pixels apart, their tops 20 more than a multiple of 30, the
// first row of ink about 4 rows below the top.
const int LinePitch = 30;
const int LineTopRemainder = 20;
const int InkBelowLineTop = 4;
// A line's text lies in its first 20 rows; the other 10 are blank.
const int LineHeight = 20;
// How far the ink's ends may lie from the dump's: a glyph's side bearings.
const int EdgeSlack = 3;
// How far into a line's first or last glyph its colour is looked for.
const int GlyphReach = 8;

bool rowHasInk(const Grab& grab, int y, int left, int right)
{
    for (int x = left; x < right; ++x)
        if (grab.at(x, y) != White)
            return true;
    return false;
}

bool columnHasInk(const Grab& grab, int x, int top, int bottom)
{
    for (int y = top; y <= bottom; ++y)
        if (grab.at(x, y) != White)
            return true;
    return false;
}

std::vector<InkRun> runsOf(const Grab& grab, int top, int bottom, int left, int right)
{
    std::vector<InkRun> runs;
    int blank = 0;
    for (int x = left; x < right; ++x) {
        if (!columnHasInk(grab, x, top, bottom)) {
            ++blank;
            continue;
        }
        if (!runs.empty() && blank <= MaxGapColumnsInWord)
            runs.back().right = x;
        else
            runs.push_back(InkRun{x, x});
        blank = 0;
    }
    return runs;
}

} // namespace

std::vector<InkLine> inkLines(const Grab& grab, int left, int right)
{
    std::vector<InkLine> lines;
    if (right > grab.width)
        right = grab.width;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y <= grab.height; ++y) {
        const bool ink = y < grab.height && rowHasInk(grab, y, left, right);
        if (ink) {
            if (top < 0)
                top = y;
            bottom = y;
        } else if (top >= 0 && (y - bottom > MaxGapRowsInLine || y == grab.height)) {
            InkLine line{top, bottom, runsOf(grab, top, bottom, left, right)};
            lines.push_back(line);
            top = -1;
        }
    }
    return lines;
}

size_t paragraphEnd(const std::vector<InkLine>& lines, size_t from)
{
    size_t last = from;
    while (last + 1 < lines.size() && !lines[last + 1].indented())
        ++last;
    return last;
}

const InkLine* lineNear(const std::vector<InkLine>& lines, int top)
{
    for (const InkLine& line : lines)
        if (std::abs(line.top - top) <= NearRows)
            return &line;
    return nullptr;
}

int pageLineOfInk(int inkTop, int32_t offset)
{
    return (inkTop + offset - LineTopRemainder - InkBelowLineTop + LinePitch / 2) / LinePitch;
}

bool colourSpan(const Grab& grab, int32_t offset, uint32_t rgb, TextPlace& front, TextPlace& back)
{
    // Most grabs hold none: no lines to find then.
    if (std::find(grab.pixels.begin(), grab.pixels.end(), rgb) == grab.pixels.end())
        return false;
    bool any = false;
    for (const InkLine& line : inkLines(grab, 0, grab.width)) {
        const int pageLine = pageLineOfInk(line.top, offset);
        for (int y = line.top; y <= line.bottom; ++y) {
            for (int x = 0; x < grab.width; ++x) {
                if (grab.at(x, y) != rgb)
                    continue;
                const TextPlace p{pageLine, x};
                if (!any || p < front)
                    front = p;
                if (!any || back < p)
                    back = p;
                any = true;
            }
        }
    }
    return any;
}

std::string pageDeparture(const Grab& grab, const std::vector<DumpLine>& lines, int32_t offset)
{
    // Without lines every grab would pass.
    if (lines.empty())
        return "the layout dump has no lines";
    for (const DumpLine& line : lines) {
        const int top = line.y - offset;
        const int bottom = top + LinePitch;
        if (top < 0 || bottom > grab.height)
            continue;
        if (countColor(grab, 0, top, grab.width, bottom, BalloonFill) > 0 ||
            countColor(grab, 0, top, grab.width, bottom, OutlineTeal) > 0)
            continue;
        // Ink in the blank rows: the line is drawn higher or lower.
        const int blankInk = countInk(grab, 0, top + LineHeight, grab.width, bottom);
        if (blankInk > 0)
            return "the line of cells " + std::to_string(line.firstCell) + " to " + std::to_string(line.lastCell) +
                   " at y " + std::to_string(line.y) + " (client row " + std::to_string(top) + ") has " +
                   std::to_string(blankInk) + " pixels of ink in the blank rows below it";
        int left = grab.width;
        int right = -1;
        for (int y = top; y < top + LineHeight; ++y) {
            for (int x = 0; x < grab.width; ++x) {
                if (grab.at(x, y) != White) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        const bool empty = line.lastWordRight <= line.startX;
        const bool same = empty ? right < 0
                                : right >= 0 && std::abs(left - line.startX) <= EdgeSlack &&
                                      std::abs(right + 1 - line.lastWordRight) <= EdgeSlack;
        if (!same)
            return "the line of cells " + std::to_string(line.firstCell) + " to " + std::to_string(line.lastCell) +
                   " at y " + std::to_string(line.y) + " (client row " + std::to_string(top) + ") should have ink " +
                   (empty ? std::string("nowhere") : "from x " + std::to_string(line.startX) + " to " +
                                                        std::to_string(line.lastWordRight)) +
                   ", has " +
                   (right < 0 ? std::string("none") : "from " + std::to_string(left) + " to " + std::to_string(right + 1));
    }
    return std::string();
}

bool joinsAgree(const Grab& grab, int32_t offset, const std::vector<LineJoin>& joins, uint32_t rgb)
{
    for (const LineJoin& join : joins) {
        const int upper = join.upper.y - offset;
        const int lower = join.lower.y - offset;
        if (upper < 0 || lower + LinePitch > grab.height)
            continue;
        const int right = join.upper.lastWordRight;
        const int left = join.lower.startX;
        const bool end = countColor(grab, right - GlyphReach, upper, right + EdgeSlack, upper + LineHeight, rgb) > 0;
        const bool start = countColor(grab, left - EdgeSlack, lower, left + GlyphReach, lower + LineHeight, rgb) > 0;
        if (end != start)
            return false;
    }
    return true;
}

bool sameInk(const Grab& a, const Grab& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        if ((a.pixels[i] == White) != (b.pixels[i] == White))
            return false;
    return true;
}
