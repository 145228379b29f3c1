#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "reader/page/PageLayout.h"

namespace {

// 'i' is 3 pixels wide, the blank 4 (so blanks are laid out 5 wide), every
// other character 10.
class TableMeasurer : public CharMeasurer {
public:
    int32_t charWidth(CellChar c) override
    {
        asked.push_back(c);
        if (c == 'i')
            return 3;
        if (c == ' ')
            return 4;
        return 10;
    }
    std::vector<CellChar> asked;
};

class LineLog : public LineObserver {
public:
    void lineLaidOut(const LaidOutLine& line) override { lines.push_back(line); }
    std::vector<LaidOutLine> lines;
};

// A paragraph as the loader makes it: each blank and the text's last unit
// end a word; a closing carriage return belongs to no word.
void setParagraph(BookParagraph& p, const std::u16string& text)
{
    const uint32_t n = static_cast<uint32_t>(text.size());
    p.text().setSize(n);
    uint32_t blanks = 0;
    for (uint32_t k = 0; k < n; ++k) {
        p.text().at(k) = text[k];
        blanks += text[k] == u' ' ? 1 : 0;
    }
    p.wordRanges().setSize(blanks + 1);
    uint32_t w = 0;
    uint32_t start = 0;
    for (uint32_t k = 0; k < n; ++k) {
        const bool blank = text[k] == u' ';
        if (!blank && k + 1 < n)
            continue;
        const uint32_t end = blank || text[k] == u'\r' ? k : k + 1;
        p.wordRanges().at(w++).set(static_cast<int32_t>(start), static_cast<int32_t>(end - start));
        start = k + 1;
    }
}

class PageLayoutTest : public ::testing::Test {
protected:
    PageLayoutTest() : layout(cells, measurer)
    {
        // Margin 10, line limit 140, blanks 5 wide, lines 20 high.
        layout.setMetrics(160, 4, 20);
        layout.setLineObserver(&log);
    }

    // Lays the paragraphs out one after the other from y 40, as the window
    // does, into exactly as many cells as they have characters.
    void layOutBook(const std::vector<std::u16string>& texts)
    {
        uint32_t total = 0;
        for (const std::u16string& t : texts)
            total += static_cast<uint32_t>(t.size());
        paragraphs.setSize(static_cast<uint32_t>(texts.size()));
        cells.setSize(total);
        uint32_t index = 0;
        y = 40;
        for (uint32_t i = 0; i < texts.size(); ++i) {
            setParagraph(paragraphs.at(i), texts[i]);
            offsets.push_back(index);
            layout.layOutParagraph(y, index, paragraphs.at(i));
        }
    }

    void expectCell(uint32_t i, CellChar c, int32_t x, int32_t top, int32_t width, uint8_t inWord)
    {
        SCOPED_TRACE(i);
        const TextCell& cell = cells.at(i);
        EXPECT_EQ(cell.character(), c);
        EXPECT_EQ(cell.left(), x);
        EXPECT_EQ(cell.top(), top);
        EXPECT_EQ(cell.box().width(), width);
        EXPECT_EQ(cell.box().height(), 20);
        EXPECT_EQ(cell.inWord(), inWord);
    }

    CellArray cells;
    TableMeasurer measurer;
    LineLog log;
    PageLayout layout;
    FixedArray<BookParagraph> paragraphs;
    std::vector<uint32_t> offsets;
    int32_t y = 0;
};

} // namespace

TEST_F(PageLayoutTest, MetricsFollowTheLayoutWidth)
{
    layout.setMetrics(1024, 4, 23);
    EXPECT_EQ(layout.leftMargin(), 64);
    EXPECT_EQ(layout.lineLimit(), 896);
    EXPECT_EQ(layout.spaceWidth(), 5);
    EXPECT_EQ(layout.lineHeight(), 23);
    EXPECT_EQ(layout.lineStartX(0), 64 + 8 * 5);
    EXPECT_EQ(layout.lineStartX(3), 64);

    layout.setMetrics(1023, 4, 23);
    EXPECT_EQ(layout.leftMargin(), 63);
    EXPECT_EQ(layout.lineLimit(), 897);
}

TEST_F(PageLayoutTest, AJustifiedLineSharesItsLeftoverAndEndsAtTheLimit)
{
    // First line from x 50: 2 + 2 + 1 letters and an 'i' make 63 pixels, four
    // blanks 20, leaving 7; "aaa" does not fit and goes to the last line.
    layOutBook({u"aa aa a i a aaa\r"});
    ASSERT_EQ(log.lines.size(), 2u);

    // gap 7 / 4 + 5 = 6, and the first 7 mod 4 = 3 blanks move on one pixel more.
    const LaidOutLine& first = log.lines[0];
    EXPECT_EQ(first.firstCell, 0u);
    EXPECT_EQ(first.lastCell, 11u);
    EXPECT_EQ(first.y, 40);
    EXPECT_EQ(first.startX, 50);
    EXPECT_EQ(first.gap, 6u);
    EXPECT_EQ(first.extra, 3u);
    EXPECT_EQ(first.lastWordRight, layout.lineLimit());

    expectCell(0, 'a', 50, 40, 10, 1);
    expectCell(1, 'a', 60, 40, 10, 1);
    expectCell(2, ' ', 70, 40, 6, 0);
    expectCell(3, 'a', 77, 40, 10, 1);
    expectCell(5, ' ', 97, 40, 6, 0);
    expectCell(6, 'a', 104, 40, 10, 1);
    expectCell(7, ' ', 114, 40, 6, 0);
    expectCell(8, 'i', 121, 40, 3, 1);
    expectCell(9, ' ', 124, 40, 6, 0); // the extra pixels are used up
    expectCell(10, 'a', 130, 40, 10, 1);
    expectCell(11, ' ', 140, 40, 6, 0); // the closing blank lies past the limit

    // The last line: flush left from the margin, its blank as wide as a blank,
    // on the carriage return's cell.
    const LaidOutLine& last = log.lines[1];
    EXPECT_EQ(last.y, 40 + 20 + 10);
    EXPECT_EQ(last.startX, 10);
    EXPECT_EQ(last.gap, 5u);
    EXPECT_EQ(last.extra, 0u);
    expectCell(12, 'a', 10, 70, 10, 1);
    expectCell(14, 'a', 30, 70, 10, 1);
    expectCell(15, ' ', 40, 70, 5, 0);
    EXPECT_EQ(y, 100);
}

TEST_F(PageLayoutTest, ALoneWordThatIsNotTheLastKeepsTheRestOfItsLineInItsBlank)
{
    // "aaaa" ends at 90; "aaaaaaa" would reach 165.
    layOutBook({u"aaaa aaaaaaa b\r"});
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0].gap, 50u);
    expectCell(0, 'a', 50, 40, 10, 1);
    expectCell(4, ' ', 90, 40, 50, 0);
    // The last line is flush left whatever room is left.
    expectCell(5, 'a', 10, 70, 10, 1);
    expectCell(12, ' ', 80, 70, 5, 0);
    expectCell(13, 'b', 85, 70, 10, 1);
    expectCell(14, ' ', 95, 70, 5, 0);
}

TEST_F(PageLayoutTest, AWordWiderThanItsLineStandsAloneFlushLeft)
{
    const std::u16string longWord(20, u'a'); // 200 pixels, the line holds 130 at most
    layOutBook({longWord + u" bb " + longWord + u"\r"});
    ASSERT_EQ(log.lines.size(), 3u);

    EXPECT_EQ(log.lines[0].startX, 50);
    EXPECT_EQ(log.lines[0].lastWordRight, 250);
    EXPECT_EQ(log.lines[0].gap, 5u);
    expectCell(20, ' ', 250, 40, 5, 0);
    // "bb" alone, since the long word after it does not fit: it keeps the rest.
    EXPECT_EQ(log.lines[1].firstCell, 21u);
    EXPECT_EQ(log.lines[1].gap, 110u);
    expectCell(21, 'b', 10, 70, 10, 1);
    // The last word alone again, from the margin.
    EXPECT_EQ(log.lines[2].firstCell, 24u);
    EXPECT_EQ(log.lines[2].startX, 10);
    EXPECT_EQ(log.lines[2].lastWordRight, 210);
    expectCell(44, ' ', 210, 100, 5, 0);
}

TEST_F(PageLayoutTest, AZeroWidthPageStillEndsWithOneWordALine)
{
    layout.setMetrics(0, 4, 20);
    EXPECT_EQ(layout.lineLimit(), 0);
    layOutBook({u"ab cd ef\r", u"gh\r"});
    ASSERT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0].startX, 40);
    EXPECT_EQ(log.lines[1].startX, 0);
    for (const LaidOutLine& line : log.lines)
        EXPECT_EQ(line.lastCell - line.firstCell, 2u);
    EXPECT_EQ(y, 40 + 4 * 30);
}

TEST_F(PageLayoutTest, ALineEndAloneMakesOneBlankCellAndNoCellIsWrittenPastTheBook)
{
    // A paragraph of its line end only; a last paragraph without a line end
    // and an empty paragraph after it, whose closing blanks fall past the cells.
    layOutBook({u"ab\r", u"\r", u"cd", u""});
    ASSERT_EQ(cells.count(), 6u);
    ASSERT_EQ(log.lines.size(), 4u);
    expectCell(3, ' ', 50, 70, 5, 0);
    EXPECT_EQ(log.lines[1].firstCell, 3u);
    EXPECT_EQ(log.lines[1].lastCell, 3u);
    expectCell(4, 'c', 50, 100, 10, 1);
    expectCell(5, 'd', 60, 100, 10, 1);
    EXPECT_EQ(y, 40 + 4 * 30);

    // The default cell was never written.
    const TextCell& outside = cells.at(6);
    EXPECT_EQ(outside.character(), 0);
    EXPECT_EQ(outside.box().width(), 0);
    EXPECT_EQ(outside.box().height(), 0);
    EXPECT_EQ(outside.left(), 0);
}

TEST_F(PageLayoutTest, TheNarrowProgramMeasuresAndStoresTheLowByte)
{
    layOutBook({u"\u0141\u00e9\r"});
    const CellChar expected = sizeof(CellChar) == 1 ? CellChar(0x41) : CellChar(0x0141);
    EXPECT_EQ(cells.at(0).character(), expected);
    EXPECT_EQ(cells.at(1).character(), CellChar(0xE9));
    ASSERT_FALSE(measurer.asked.empty());
    EXPECT_EQ(measurer.asked.front(), expected);
}

TEST_F(PageLayoutTest, RandomBooksAreJustifiedWithEveryCellWrittenOnce)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::u16string> texts;
        const int paragraphCount = 1 + static_cast<int>(random() % 6);
        for (int p = 0; p < paragraphCount; ++p) {
            std::u16string text;
            const int words = static_cast<int>(random() % 25);
            for (int w = 0; w < words; ++w) {
                if (w > 0)
                    text += u' ';
                const int letters = 1 + static_cast<int>(random() % 9);
                for (int l = 0; l < letters; ++l)
                    text += random() % 4 == 0 ? u'i' : u'a';
            }
            texts.push_back(text + u"\r");
        }
        log.lines.clear();
        offsets.clear();
        layout.setMetrics(static_cast<int32_t>(120 + random() % 200), 4, 20);
        layOutBook(texts);

        // Every cell written: a default cell has no height. Tops never decrease.
        for (uint32_t i = 0; i < cells.count(); ++i) {
            ASSERT_EQ(cells.at(i).box().height(), 20) << "cell " << i;
            if (i > 0) {
                ASSERT_GE(cells.at(i).top(), cells.at(i - 1).top());
            }
        }
        // Lines follow each other without a gap; each one that does not end its
        // paragraph was full and, with two words or more, ends at the limit.
        uint32_t next = 0;
        size_t p = 0;
        for (size_t k = 0; k < log.lines.size(); ++k) {
            const LaidOutLine& line = log.lines[k];
            EXPECT_EQ(line.firstCell, next);
            next = line.lastCell + 1;
            while (p + 1 < offsets.size() && offsets[p + 1] <= line.firstCell)
                ++p;
            const uint32_t paragraphEnd = p + 1 < offsets.size() ? offsets[p + 1] : cells.count();
            const bool lastOfParagraph = line.lastCell + 1 >= paragraphEnd;
            uint32_t natural = 0; // the line's width with plain blanks
            uint32_t blanks = 0;
            for (uint32_t c = line.firstCell; c < line.lastCell; ++c) {
                const bool blank = cells.at(c).character() == ' ';
                natural += blank ? 5u : static_cast<uint32_t>(cells.at(c).box().width());
                blanks += blank ? 1 : 0;
            }
            if (lastOfParagraph) {
                EXPECT_EQ(line.gap, 5u);
                if (blanks > 0) {
                    EXPECT_LE(line.lastWordRight, layout.lineLimit());
                }
                continue;
            }
            // The next word would have passed the limit.
            uint32_t nextWordWidth = 0;
            for (uint32_t c = line.lastCell + 1; c < cells.count() && cells.at(c).character() != ' '; ++c)
                nextWordWidth += static_cast<uint32_t>(cells.at(c).box().width());
            EXPECT_GT(line.startX + static_cast<int32_t>(natural + 5 + nextWordWidth), layout.lineLimit());
            if (blanks > 0) {
                EXPECT_EQ(line.lastWordRight, layout.lineLimit());
                EXPECT_LT(line.extra, blanks);
            }
        }
        EXPECT_EQ(next, cells.count());
    }
}
