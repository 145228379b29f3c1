#pragma once

// Cells laid out on a fixed grid for the text layer's tests: every character
// one cell of a fixed width, every line a fixed distance below the last.

#include <cstdint>
#include <string>
#include <vector>

#include "reader/page/TextCell.h"

struct TestGrid {
    int32_t left = 20;
    int32_t top = 30;
    int32_t charWidth = 10;
    int32_t cellHeight = 20;
    int32_t linePitch = 30;
};

// One cell per character of each line, in reading order; blanks are not in a word.
std::vector<TextCell> gridCells(const std::vector<std::u16string>& lines, const TestGrid& grid = TestGrid());
void fillCells(CellArray& cells, const std::vector<TextCell>& source);

// The index of the first cell of line `line`.
uint32_t firstCellOfLine(const std::vector<std::u16string>& lines, uint32_t line);
