#include "document/BookData.h"

BookData& BookData::instance()
{
    // Never destroyed: the player thread may still read the segment table
    // while the process ends.
    static BookData* document = new BookData;
    return *document;
}

void BookData::computeTotals()
{
    m_total_characters = 0;
    for (uint32_t i = 0; i < m_text.count(); ++i)
        m_total_characters += m_text.at(i).text().count();
}
