#include <gtest/gtest.h>

#include <set>
#include <string>

#include "SegmentRows.h"
#include "edition/ChapterTable.h"
#include "tools/demo/ChapterHeadings.h"
#include "tools/demo/DemoBook.h"

namespace {

const DemoBook& builtBook()
{
    static DemoBook book;
    static std::string error;
    static bool built = book.build(filledTable(), error);
    EXPECT_TRUE(built) << error;
    return book;
}

bool endsSentence(char16_t c)
{
    return c == u'.' || c == u'!' || c == u'?';
}

} // namespace

TEST(DemoBookTest, ChapterTitlesStartAtTheirCells)
{
    const DemoBook& book = builtBook();
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        const ChapterEntry& e = chapterEntry(k);
        const uint32_t heading = chapterHeadingParagraph(k);
        const std::u16string& text = book.paragraphs()[heading].m_text;
        EXPECT_NE(text.find(e.m_title), std::u16string::npos) << "chapter " << k;
        const bool shared = k > 0 && chapterEntry(k - 1).m_text_cell == e.m_text_cell;
        const uint32_t p = shared ? heading - 1 : heading;
        EXPECT_EQ(book.paragraphOffset(p), e.m_text_cell) << "chapter " << k;
    }
    // The one paragraph between two fixed cells: the second part's title.
    EXPECT_EQ(book.paragraphs()[289].m_text, u"\u00B7 DEUXI\u00C8ME PARTIE \u00B7");
}

// Each segment is one sentence of the translations, read whole: it ends with
// its punctuation (or the blank after it) unless a clause joiner follows.
TEST(DemoBookTest, EverySegmentIsOneSentence)
{
    const DemoBook& book = builtBook();
    const AudioSegmentArray& t = filledTable();
    std::vector<size_t> next(book.paragraphs().size(), 0);
    for (uint32_t i = 0; i < t.count(); ++i) {
        const AudioSegment& s = t.at(i);
        const DemoParagraph& paragraph = book.paragraphs()[s.paragraphIndex()];
        ASSERT_LT(static_cast<size_t>(s.lastChar()), paragraph.m_text.size()) << "segment " << i;
        size_t& k = next[s.paragraphIndex()];
        ASSERT_LT(k, paragraph.m_records.size()) << "segment " << i;
        EXPECT_EQ(paragraph.m_records[k].m_first, static_cast<uint32_t>(s.firstChar())) << "segment " << i;
        EXPECT_EQ(paragraph.m_records[k].m_last, static_cast<uint32_t>(s.lastChar())) << "segment " << i;
        ++k;
        const std::u16string text = paragraph.m_text.substr(s.firstChar(), s.lastChar() - s.firstChar() + 1);
        const std::u16string after = paragraph.m_text.substr(s.lastChar() + 1, 5);
        const bool joined = after.rfind(u",", 0) == 0 || after.rfind(u" ;", 0) == 0 || after.rfind(u" et ", 0) == 0 ||
                            after.rfind(u" car ", 0) == 0;
        std::u16string trimmed = text;
        while (!trimmed.empty() && (trimmed.back() == u' ' || trimmed.back() == u'\u00BB'))
            trimmed.pop_back();
        if (!joined) {
            EXPECT_TRUE(!trimmed.empty() && endsSentence(trimmed.back())) << "segment " << i;
        }
    }
}

TEST(DemoBookTest, ParagraphsWithoutSegmentsAreShortLines)
{
    const DemoBook& book = builtBook();
    std::set<int32_t> read;
    for (uint32_t i = 0; i < filledTable().count(); ++i)
        read.insert(filledTable().at(i).paragraphIndex());
    for (uint32_t p = 0; p < book.paragraphs().size(); ++p) {
        const DemoParagraph& paragraph = book.paragraphs()[p];
        const bool recorded =
            paragraph.m_kind == DemoParagraphKind::Segments || paragraph.m_kind == DemoParagraphKind::Title;
        EXPECT_EQ(recorded, read.count(static_cast<int32_t>(p)) == 1) << "paragraph " << p;
        if (!recorded) {
            EXPECT_LE(paragraph.m_text.size(), 100u) << "paragraph " << p;
        }
    }
    // The book ends with the last paragraph the segments read.
    EXPECT_EQ(book.paragraphs().size(), 682u);
    EXPECT_EQ(book.paragraphs().back().m_kind, DemoParagraphKind::Segments);
    EXPECT_EQ(filledTable().at(4047).paragraphIndex(), 681);
}

TEST(DemoBookTest, FilesAreTheParagraphsAndTheirRecords)
{
    const DemoBook& book = builtBook();
    const std::u16string text = book.bookText();
    size_t lines = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'\r') {
            EXPECT_EQ(text[i + 1], u'\n');
            ++lines;
        }
    }
    EXPECT_EQ(lines, book.paragraphs().size());
    // The narrow-character program shows the low byte of each character.
    for (char16_t c : text)
        ASSERT_LE(c, 0xFF);
    EXPECT_EQ(text.size(), book.paragraphOffset(static_cast<uint32_t>(book.paragraphs().size())) + lines);
    const std::u16string russian = book.translationText(0);
    EXPECT_EQ(russian.rfind(u"0|0|34\r\n", 0), 0u) << "the first record is the title line's";
    EXPECT_NE(russian.find(u"\r\n681|"), std::u16string::npos);
}

TEST(DemoBookTest, SameTableSameBook)
{
    DemoBook again;
    std::string error;
    ASSERT_TRUE(again.build(filledTable(), error)) << error;
    EXPECT_EQ(again.bookText(), builtBook().bookText());
    EXPECT_EQ(again.translationText(0), builtBook().translationText(0));
    EXPECT_EQ(again.translationText(1), builtBook().translationText(1));
}

// Tables the book cannot be fitted to are reported, not papered over.
TEST(DemoBookTest, RefusesTablesThatCannotFit)
{
    std::string error;
    {
        // A paragraph before the second chapter longer than the chapter's span.
        AudioSegmentArray t;
        ASSERT_TRUE(t.setSize(1));
        t.at(0).setTextRange(0, 20000, 30);
        DemoBook book;
        EXPECT_FALSE(book.build(t, error));
        EXPECT_NE(error.find("chapter table gives"), std::string::npos) << error;
    }
    {
        // Segments further apart than any joiner.
        AudioSegmentArray t;
        ASSERT_TRUE(t.setSize(2));
        t.at(0).setTextRange(0, 30, 25);
        t.at(1).setTextRange(40, 60, 25);
        DemoBook book;
        EXPECT_FALSE(book.build(t, error));
        EXPECT_NE(error.find("apart"), std::string::npos) << error;
    }
    {
        // A segment in a chapter title's paragraph.
        AudioSegmentArray t;
        ASSERT_TRUE(t.setSize(1));
        t.at(0).setTextRange(0, 30, static_cast<int32_t>(chapterHeadingParagraph(2)));
        DemoBook book;
        EXPECT_FALSE(book.build(t, error));
        EXPECT_NE(error.find("has segments"), std::string::npos) << error;
    }
}
