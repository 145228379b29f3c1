#pragma once

#include <cstdint>

#include "document/AudioSegment.h"
#include "document/BookText.h"

// The one document of the program: the book, its translations and the
// segment table. Filled once at start-up; afterwards only the translations'
// visible flags change.
class BookData {
public:
    BookData() : m_total_characters(0) {}
    virtual ~BookData() = default;

    BookData(const BookData&) = delete;
    BookData& operator=(const BookData&) = delete;

    static BookData& instance();

    BookText& text() { return m_text; }
    AudioSegmentArray& segments() { return m_segments; }
    uint32_t totalCharacters() const { return m_total_characters; }

    // Sum of the paragraphs' text lengths (carriage returns included).
    void computeTotals();

private:
    uint32_t m_total_characters;
    BookText m_text;
    AudioSegmentArray m_segments;
};
