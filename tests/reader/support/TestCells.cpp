#include "TestCells.h"

std::vector<TextCell> gridCells(const std::vector<std::u16string>& lines, const TestGrid& grid)
{
    std::vector<TextCell> cells;
    for (size_t l = 0; l < lines.size(); ++l) {
        const std::u16string& line = lines[l];
        for (size_t c = 0; c < line.size(); ++c) {
            Rect box;
            box.moveTo(grid.left + static_cast<int32_t>(c) * grid.charWidth,
                       grid.top + static_cast<int32_t>(l) * grid.linePitch);
            box.setWidth(grid.charWidth);
            box.setHeight(grid.cellHeight);
            const char16_t ch = line[c];
            cells.push_back(TextCell(static_cast<CellChar>(ch), box, ch == u' ' ? 0 : 1));
        }
    }
    return cells;
}

void fillCells(CellArray& cells, const std::vector<TextCell>& source)
{
    cells.setSize(static_cast<uint32_t>(source.size()));
    for (size_t i = 0; i < source.size(); ++i)
        cells.at(static_cast<uint32_t>(i)) = source[i];
}

uint32_t firstCellOfLine(const std::vector<std::u16string>& lines, uint32_t line)
{
    uint32_t index = 0;
    for (uint32_t l = 0; l < line && l < lines.size(); ++l)
        index += static_cast<uint32_t>(lines[l].size());
    return index;
}
