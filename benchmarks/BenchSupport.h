#pragma once

// What the reader's benchmarks share: a clock, figures, and the number of
// text calls a paint makes.

#include <cstdint>
#include <vector>

#include "reader/page/TextCell.h"

double nowMs();
// Median and maximum of the rounds, on one line.
void printFigures(const char* what, std::vector<double> ms);
// The text calls of one paint of the cells at this offset.
int textOutCount(const CellArray& cells, int32_t offset, int32_t clientHeight);
