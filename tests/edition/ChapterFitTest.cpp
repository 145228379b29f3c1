#include <gtest/gtest.h>

#include <vector>

#include "SegmentRows.h"
#include "edition/ChapterTable.h"
#include "tools/demo/ChapterHeadings.h"
#include "tools/demo/ParagraphLengths.h"

// A book for this edition must hold every segment's range in its paragraph
// and begin each "Go to..." item's title paragraph at the item's text cell
// (a paragraph's offset is the sum of the lengths of the paragraphs before
// it). These tests check that the least lengths the table asks for leave
// room for that.

namespace {

const uint32_t kParagraphCount = 682;

std::vector<uint32_t> minimalLengths()
{
    std::vector<uint32_t> lengths;
    for (uint32_t p = 0; p < kParagraphCount; ++p)
        lengths.push_back(minimalParagraphLength(filledTable(), p));
    return lengths;
}

bool hasSegments(uint32_t paragraph)
{
    for (const Row& r : rows()) {
        if (r.paragraph == static_cast<int>(paragraph))
            return true;
    }
    return false;
}

} // namespace

TEST(ChapterFitTest, ChapterTableOrderAndHeadings)
{
    ASSERT_EQ(chapterCount(), 20u);
    EXPECT_EQ(chapterEntry(0).m_text_cell, 418u);
    EXPECT_EQ(chapterEntry(1).m_text_cell, 418u);
    EXPECT_EQ(chapterEntry(19).m_text_cell, 159043u);
    EXPECT_EQ(chapterEntry(0).m_title[5], u'\u00C8');
    EXPECT_EQ(&chapterEntry(20), &chapterEntry(0));
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        const ChapterEntry& e = chapterEntry(k);
        const uint32_t heading = chapterHeadingParagraph(k);
        EXPECT_FALSE(hasSegments(heading)) << "chapter " << k;
        if (k > 0) {
            EXPECT_GT(heading, chapterHeadingParagraph(k - 1)) << "chapter " << k;
            EXPECT_GE(e.m_text_cell, chapterEntry(k - 1).m_text_cell) << "chapter " << k;
        }
    }
    // The part and its first chapter share the cell; the chapter's title follows at once.
    EXPECT_EQ(chapterHeadingParagraph(1), chapterHeadingParagraph(0) + 1);
}

TEST(ChapterFitTest, MinimalParagraphLengths)
{
    AudioSegmentArray& table = filledTable();
    EXPECT_EQ(minimalParagraphLength(table, 0), 36u) << "segment 0 reads characters 0 to 34";
    EXPECT_EQ(minimalParagraphLength(table, 282), 2830u);
    EXPECT_EQ(minimalParagraphLength(table, 681), 327u);
    EXPECT_EQ(minimalParagraphLength(table, 19), 16u) << "\"PREMI\u00C8RE PARTIE\" and its CR";
    EXPECT_EQ(minimalParagraphLength(table, 20), 11u);
    EXPECT_EQ(minimalParagraphLength(table, 1), 1u);
    EXPECT_EQ(minimalParagraphLength(table, 678), 1u);
    AudioSegmentArray empty;
    EXPECT_EQ(minimalParagraphLength(empty, 0), 1u);
}

TEST(ChapterFitTest, EveryChapterCellCanStartItsHeading)
{
    const std::vector<uint32_t> lengths = minimalLengths();
    // Paragraph offsets are fixed at each distinct cell; between two of them
    // the paragraphs must fit, and may grow to fill the span.
    uint32_t cell = 0;
    uint32_t paragraph = 0;
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        const ChapterEntry& e = chapterEntry(k);
        const uint32_t heading = chapterHeadingParagraph(k);
        if (k > 0 && e.m_text_cell == chapterEntry(k - 1).m_text_cell)
            continue;
        uint32_t needed = 0;
        for (uint32_t p = paragraph; p < heading; ++p)
            needed += lengths[p];
        EXPECT_LE(needed, e.m_text_cell - cell)
            << "before chapter " << k << " (paragraph " << heading << ")";
        EXPECT_GT(heading, paragraph) << "chapter " << k;
        cell = e.m_text_cell;
        paragraph = heading;
    }
}
