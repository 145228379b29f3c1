#include "document/BookText.h"

void BookText::setTranslationCount(uint32_t n)
{
    m_translation_count = n;
    if (m_visible.setSize(n)) {
        for (uint32_t i = 0; i < n; ++i)
            m_visible.at(i) = 1;
    }
}

bool BookText::anyTranslationVisible() const
{
    for (uint32_t i = 0; i < m_translation_count; ++i) {
        if (isTranslationVisible(i) != 0)
            return true;
    }
    return false;
}
