#pragma once

#include <cstdint>

// One item of the "Go to..." menu: its title, the text cell (a character
// position counted over the whole book) at which it begins, and the paragraph
// of the book that carries the title. That paragraph has no segments; the cell
// is its first character, except where two items share one cell (a part and
// its first chapter): the cell is then the first character of the part's
// paragraph, and the chapter's title follows in the next paragraph.
struct ChapterEntry {
    const char16_t* m_title;
    uint32_t m_text_cell;
    uint32_t m_heading_paragraph;
};

uint32_t chapterCount();

// The default (first) entry when k is out of range.
const ChapterEntry& chapterEntry(uint32_t k);
