#pragma once

#include <cstdint>

#include "core/ByteArray.h"
#include "core/FixedArray.h"
#include "document/BookParagraph.h"

// The paragraphs of the book, with the number of translations and which of
// them are shown.
class BookText : public FixedArray<BookParagraph> {
public:
    BookText() : m_translation_count(0) {}
    ~BookText() override = default;

    // Every translation starts shown. The count stays even when the flags
    // cannot be sized; every flag then reads 0.
    void setTranslationCount(uint32_t n);
    uint32_t translationCount() const { return m_translation_count; }

    uint8_t isTranslationVisible(uint32_t i) const { return m_visible.at(i); }
    void setTranslationVisible(uint32_t i, uint8_t value) { m_visible.at(i) = value; }
    bool anyTranslationVisible() const;

private:
    uint32_t m_translation_count;
    ByteArray m_visible;
};
