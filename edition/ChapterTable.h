#pragma once

#include <cstdint>

// One item of the "Go to..." menu: its title and the text cell (a character
// position counted over the whole book) at which it begins.
struct ChapterEntry {
    const char16_t* m_title;
    uint32_t m_text_cell;
};

uint32_t chapterCount();

// The default (first) entry when k is out of range.
const ChapterEntry& chapterEntry(uint32_t k);
