#pragma once

#include <cstdint>

#include "core/PlatformChar.h"
#include "document/AudioSegment.h"
#include "document/BookText.h"
#include "document/TextRanges.h"

// Reads "book.txt" and the "book_t%d.txt" translations into the one book
// document, and has the compiled-in segment table filled.
class BookLoader {
public:
    BookLoader() : m_buffer(nullptr), m_length(0) {}
    virtual ~BookLoader() { delete[] m_buffer; }

    BookLoader(const BookLoader&) = delete;
    BookLoader& operator=(const BookLoader&) = delete;

    static BookLoader& instance();

    bool loadAll();
    bool loadBook(BookText& text);
    bool loadTranslations(BookText& text);

    // Sizes the table to every segment of the edition and writes them all;
    // the data is compiled in (edition/).
    static bool fillSegmentTable(AudioSegmentArray& table);

    static bool readUtf16File(char16_t*& buffer, const PlatformChar* fileName, uint32_t& length);
    static bool fileExists(const PlatformChar* fileName);
    static bool countParagraphs(uint32_t& count, const char16_t* buffer, uint32_t length);
    static char16_t lineSeparator() { return 0x000A; }
    static bool splitParagraphs(BookText& text, const char16_t* buffer, uint32_t length);
    static bool copyChars(WideString& target, const char16_t* source, uint32_t n);
    static bool splitWords(WordRangeArray& words, const char16_t* units, uint32_t n);
    static void sizeTranslationArrays(BookText& text, uint32_t n);
    static void parseTranslation(BookText& text, uint32_t a, const char16_t* buffer, uint32_t length);
    static void sizePhraseArrays(BookText& text, uint32_t a, const char16_t* buffer, uint32_t length);
    static uint32_t countPhraseRecords(const char16_t* buffer, uint32_t length, uint32_t paragraph, uint32_t start,
                                       uint32_t& position);
    static void skipLines(const char16_t* buffer, uint32_t length, uint32_t n, uint32_t& position);
    static bool parseRecordHeader(const char16_t* buffer, uint32_t length, uint32_t position, uint32_t& end,
                                  uint32_t& paragraph, uint32_t& first, uint32_t& last);
    static void fillPhrases(BookText& text, uint32_t a, const char16_t* buffer, uint32_t length);

private:
    char16_t* m_buffer;
    uint32_t m_length;
};

uint32_t parseDecimal(const char16_t* buffer, uint32_t length, uint32_t position, uint32_t& end);
