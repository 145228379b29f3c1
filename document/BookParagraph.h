#pragma once

#include <cstdint>

#include "core/WideString.h"
#include "document/TextRanges.h"
#include "document/TranslationPhrase.h"

// One line of the book: its characters (the carriage return kept), its
// words, and its phrases in every translation.
class BookParagraph {
public:
    virtual ~BookParagraph() = default;

    WideString& text() { return m_text; }
    const WideString& text() const { return m_text; }
    WordRangeArray& wordRanges() { return m_words; }
    const WordRangeArray& wordRanges() const { return m_words; }
    TranslationArray& translations() { return m_translations; }
    const TranslationArray& translations() const { return m_translations; }

    TranslationPhraseArray& translation(uint32_t a) { return m_translations.at(a); }
    TranslationPhrase& phrase(uint32_t a, uint32_t b) { return m_translations.at(a).at(b); }

private:
    WideString m_text;
    WordRangeArray m_words;
    TranslationArray m_translations;
};
