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

bool sameInk(const Grab& a, const Grab& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        if ((a.pixels[i] == White) != (b.pixels[i] == White))
            return false;
    return true;
}

bool samePixels(const Grab& a, const Grab& b)
{
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}
