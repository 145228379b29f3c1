#include "tools/demo/ParagraphLengths.h"

#include "edition/ChapterTable.h"
#include "tools/demo/ChapterHeadings.h"

namespace {

uint32_t textLength(const char16_t* text)
{
    uint32_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

} // namespace

uint32_t minimalParagraphLength(const AudioSegmentArray& table, uint32_t paragraph)
{
    int32_t highest = -1;
    for (uint32_t i = 0; i < table.count(); ++i) {
        const AudioSegment& s = table.at(i);
        if (s.isValid() && s.paragraphIndex() == static_cast<int32_t>(paragraph) && s.lastChar() > highest)
            highest = s.lastChar();
    }
    if (highest >= 0)
        return static_cast<uint32_t>(highest) + 2;
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        if (chapterHeadingParagraph(k) == paragraph)
            return textLength(chapterEntry(k).m_title) + 1;
    }
    return 1;
}
