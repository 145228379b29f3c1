#pragma once

#include <cstdint>

// The paragraph of the demo book that carries the title of "Go to..." item k
// (edition/ChapterTable.cpp); item 0's when k is out of range. That paragraph
// has no segments; the item's cell is its first character, except where two
// items share one cell (a part and its first chapter): the cell is then the
// first character of the part's paragraph, and the chapter's title follows in
// the next paragraph.
uint32_t chapterHeadingParagraph(uint32_t k);
