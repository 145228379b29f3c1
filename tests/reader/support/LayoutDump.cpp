#include "LayoutDump.h"

#include <windows.h>

#include <cstdio>
#include <sstream>

std::string formatDumpLine(const DumpLine& line)
{
    char row[160];
    std::snprintf(row, sizeof(row), "line %d %u %u %d %d %d %u %u", static_cast<int>(line.paragraph), line.firstCell,
                  line.lastCell, static_cast<int>(line.y), static_cast<int>(line.startX),
                  static_cast<int>(line.lastWordRight), line.gap, line.extra);
    return row;
}

std::vector<DumpLine> parseDumpLines(const std::string& dump)
{
    std::vector<DumpLine> lines;
    std::istringstream rows(dump);
    std::string row;
    while (std::getline(rows, row)) {
        DumpLine l;
        int p = 0, y = 0, x = 0, right = 0;
        unsigned first = 0, last = 0, gap = 0, extra = 0;
        if (std::sscanf(row.c_str(), "line %d %u %u %d %d %d %u %u", &p, &first, &last, &y, &x, &right, &gap, &extra) !=
            8)
            continue;
        l.paragraph = p;
        l.firstCell = first;
        l.lastCell = last;
        l.y = y;
        l.startX = x;
        l.lastWordRight = right;
        l.gap = gap;
        l.extra = extra;
        lines.push_back(l);
    }
    return lines;
}

bool dumpTopOfCell(const std::vector<DumpLine>& lines, uint32_t cell, int32_t& top)
{
    for (const DumpLine& l : lines) {
        if (l.firstCell <= cell && cell <= l.lastCell) {
            top = l.y;
            return true;
        }
    }
    return false;
}
