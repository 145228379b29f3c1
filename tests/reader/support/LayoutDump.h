#pragma once

// The layout dump: one row per laid-out line of the book (its paragraph,
// first and last cell, y, start x, the right end of its last word, the width
// of its blanks and how many of them move the next word one pixel more),
// then the page's metrics and its picture slots. Tests compare with it
// instead of pixels; both programs must write the same dump for a book they
// both can show.

#include <cstdint>
#include <string>
#include <vector>

struct DumpLine {
    int32_t paragraph = 0;
    uint32_t firstCell = 0;
    uint32_t lastCell = 0;
    int32_t y = 0;
    int32_t startX = 0;
    int32_t lastWordRight = 0;
    uint32_t gap = 0;
    uint32_t extra = 0;
};

std::string formatDumpLine(const DumpLine& line);
// The line rows of a dump's text.
std::vector<DumpLine> parseDumpLines(const std::string& dump);
// The y of the line that holds cell `cell`; false when no line does.
bool dumpTopOfCell(const std::vector<DumpLine>& lines, uint32_t cell, int32_t& top);
