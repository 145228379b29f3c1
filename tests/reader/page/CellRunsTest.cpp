#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestCells.h"
#include "reader/page/CellRuns.h"

namespace {

// Stands in for the platform's Unicode classes: Cyrillic letters, and the
// right single quotation mark as punctuation.
uint16_t fakeUnicodeClass(char16_t c)
{
    if (c >= 0x0410 && c <= 0x044F)
        return ClassAlpha | ClassLower;
    if (c == 0x2019)
        return ClassPunct;
    return 0;
}

const CharClasses kClasses(fakeUnicodeClass);

struct DrawnText {
    int32_t x;
    int32_t y;
    RgbColor color;
    std::u16string text;
};

class RecordingSink : public TextRunSink {
public:
    void drawText(int32_t x, int32_t y, const RgbColor& color, const CellChar* text, uint32_t n) override
    {
        DrawnText d{x, y, color, std::u16string()};
        for (uint32_t i = 0; i < n; ++i)
            d.text.push_back(static_cast<char16_t>(text[i]));
        EXPECT_EQ(text[n], 0) << "each text is zero-terminated";
        drawn.push_back(d);
    }
    std::vector<DrawnText> drawn;
};

class CellRunsTest : public testing::Test {
protected:
    void layOut(const std::vector<std::u16string>& lines)
    {
        m_lines = lines;
        fillCells(m_cells, gridCells(lines));
    }
    uint32_t lineStart(uint32_t line) const { return firstCellOfLine(m_lines, line); }

    std::vector<std::u16string> m_lines;
    CellArray m_cells;
};

// Five lines of ten characters: tops 30, 60, 90, 120, 150; bottoms 20 lower.
const std::vector<std::u16string> kFiveLines = {u"aaaa bbbbb", u"cccc ddddd", u"eeee fffff", u"gggg hhhhh",
                                                u"iiii jjjjj"};

} // namespace

TEST_F(CellRunsTest, VisibleRunHoldsOnlyWholeLinesOfOneClientHeight)
{
    layOut(kFiveLines);
    // Offset 40 cuts line 0 (30 to 50): it is not drawn. The band runs from
    // line 1's top 60 to 160: lines 1 to 3 fit, line 4 (150 to 170) does not.
    VisibleRun run = findVisibleRun(m_cells, 0, 40, 100);
    ASSERT_TRUE(run.any);
    EXPECT_EQ(run.first, lineStart(1));
    EXPECT_EQ(run.last, lineStart(4) - 1);

    // A line whose bottom touches the band's end is still inside.
    run = findVisibleRun(m_cells, 0, 40, 110);
    EXPECT_EQ(run.last, lineStart(5) - 1);

    // Scrolling down goes on from the current first cell.
    run = findVisibleRun(m_cells, run.first, 90, 100);
    EXPECT_EQ(run.first, lineStart(2));

    // After a scroll up only a scan from cell 0 finds the upper line again;
    // one from the old first cell cannot go back.
    EXPECT_EQ(findVisibleRun(m_cells, 0, 0, 100).first, 0u);
    EXPECT_EQ(findVisibleRun(m_cells, lineStart(2), 0, 100).first, lineStart(2));
}

TEST_F(CellRunsTest, EmptyVisibleRunDrawsAndHitsNothing)
{
    layOut(kFiveLines);
    RecordingSink sink;
    uint32_t index = 77;

    // No line fits a client area lower than a line, even from cell 0.
    VisibleRun run = findVisibleRun(m_cells, 0, 0, 10);
    EXPECT_FALSE(run.any);
    EXPECT_EQ(run.first, 0u);
    drawVisibleRun(m_cells, run, kClasses, 0, sink);
    EXPECT_TRUE(sink.drawn.empty());
    EXPECT_FALSE(findCellAt(m_cells, run, 25, 35, index));
    EXPECT_EQ(index, 77u);

    // No cell starts at or below the offset.
    run = findVisibleRun(m_cells, 0, 1000, 600);
    EXPECT_FALSE(run.any);
    EXPECT_EQ(run.first, m_cells.count());

    // Cells that were made but hold no character draw nothing.
    CellArray unset;
    unset.setSize(3);
    run = findVisibleRun(unset, 0, 0, 600);
    EXPECT_TRUE(run.any);
    drawVisibleRun(unset, run, kClasses, 0, sink);
    EXPECT_TRUE(sink.drawn.empty());

    // No cells at all, and a start past the cells.
    CellArray none;
    run = findVisibleRun(none, 5, 0, 600);
    EXPECT_FALSE(run.any);
    drawVisibleRun(none, run, kClasses, 0, sink);
    EXPECT_TRUE(sink.drawn.empty());
    EXPECT_EQ(lastCellTop(none), 0);
}

TEST_F(CellRunsTest, DrawsWordsWholeAndOtherCharactersAlone)
{
    layOut({u"l'homme 1, \u00E9t\u00E9 x"});
    m_cells.at(8).setColor(RgbColor(1, 2, 3));  // "1"
    m_cells.at(11).setColor(RgbColor(4, 5, 6)); // the first "é"
    m_cells.at(12).setColor(RgbColor(7, 8, 9)); // "t"
    RecordingSink sink;
    VisibleRun run = findVisibleRun(m_cells, 0, 10, 600);
    ASSERT_TRUE(run.any);

    // One word of seven characters; the call goes on after the blank.
    EXPECT_EQ(drawWord(m_cells, 0, kClasses, 10, sink), 7u);
    ASSERT_EQ(sink.drawn.size(), 1u);
    EXPECT_EQ(sink.drawn[0].text, u"l'homme");
    EXPECT_EQ(sink.drawn[0].x, 20);
    EXPECT_EQ(sink.drawn[0].y, 20) << "y less the scroll offset";

    sink.drawn.clear();
    drawVisibleRun(m_cells, run, kClasses, 10, sink);
    std::vector<std::u16string> texts;
    for (const DrawnText& d : sink.drawn)
        texts.push_back(d.text);
    // A digit and a comma go one by one; é is no letter when drawing, so
    // "été" takes three calls; blanks draw nothing.
    const std::vector<std::u16string> expected = {u"l'homme", u"1", u",", u"\u00E9", u"t", u"\u00E9", u"x"};
    EXPECT_EQ(texts, expected);
    ASSERT_EQ(sink.drawn.size(), expected.size());
    EXPECT_EQ(sink.drawn[1].color, RgbColor(1, 2, 3));
    EXPECT_EQ(sink.drawn[3].x, 20 + 11 * 10);
    EXPECT_EQ(sink.drawn[3].color, RgbColor(4, 5, 6));
    EXPECT_EQ(sink.drawn[4].x, 20 + 12 * 10);
    EXPECT_EQ(sink.drawn[4].color, RgbColor(7, 8, 9));
    EXPECT_EQ(sink.drawn[5].color, RgbColor(0, 0, 0));
}

TEST_F(CellRunsTest, WordTakesItsFirstLetterColourAndEndsAtTheVisibleRunOnlyWhole)
{
    layOut({u"abc defg hij"});
    m_cells.at(4).setColor(RgbColor(0, 159, 0)); // "d"
    m_cells.at(6).setColor(RgbColor(0, 0, 223)); // "f"
    RecordingSink sink;
    VisibleRun run{0, 5, true}; // ends inside "defg"
    drawVisibleRun(m_cells, run, kClasses, 0, sink);
    ASSERT_EQ(sink.drawn.size(), 2u);
    EXPECT_EQ(sink.drawn[1].text, u"defg");
    EXPECT_EQ(sink.drawn[1].color, RgbColor(0, 159, 0));
}

TEST_F(CellRunsTest, LongWordIsDrawnInPiecesThatCoverEachCellOnce)
{
    std::u16string word(300, u'z');
    word[0] = u'A';
    layOut({word + u" b"});
    RecordingSink sink;
    VisibleRun run = findVisibleRun(m_cells, 0, 0, 600);
    drawVisibleRun(m_cells, run, kClasses, 0, sink);
    ASSERT_EQ(sink.drawn.size(), 3u);
    EXPECT_EQ(sink.drawn[0].text.size(), MaxDrawnRun);
    EXPECT_EQ(sink.drawn[1].text.size(), 300u - MaxDrawnRun);
    EXPECT_EQ(sink.drawn[1].x, 20 + static_cast<int32_t>(MaxDrawnRun) * 10) << "the piece starts at its own cell";
    EXPECT_EQ(sink.drawn[0].text + sink.drawn[1].text, word);
    EXPECT_EQ(sink.drawn[2].text, u"b");
}

TEST_F(CellRunsTest, PickWordFindsNothingOnBlanksDigitsPunctuationOrOneLetter)
{
    layOut({u"le 1 , a chat."});
    CellChar text[128] = {u'#', 0};
    uint32_t begin = 0;
    uint32_t end = 0;
    for (uint32_t i : {2u, 3u, 5u, 7u, 13u}) {
        EXPECT_FALSE(pickWordAt(m_cells, i, kClasses, text, 128, begin, end)) << i;
        if (i != 7u) {
            EXPECT_EQ(begin, i);
            EXPECT_EQ(end, i);
        }
    }
    EXPECT_EQ(text[0], u'#') << "the buffer is left alone";

    // A two-letter word at cell 0: the backward scan stops before the first cell.
    ASSERT_TRUE(pickWordAt(m_cells, 1, kClasses, text, 128, begin, end));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"le");
    EXPECT_EQ(begin + 1, 0u);
    EXPECT_EQ(end, 2u);

    // Punctuation ends a word.
    ASSERT_TRUE(pickWordAt(m_cells, 10, kClasses, text, 128, begin, end));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"chat");
}

TEST_F(CellRunsTest, PickWordTakesLatinOneCharactersAndThePlatformsLetters)
{
    // « and the no-break space have no class, so they belong to the word.
    layOut({u"x \u00AB\u00A0maison, \u00E9t\u00E9 \u0434\u043E\u043C\u2019s"});
    CellChar text[128];
    uint32_t begin = 0;
    uint32_t end = 0;
    ASSERT_TRUE(pickWordAt(m_cells, 6, kClasses, text, 128, begin, end));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"\u00AB\u00A0maison");
    EXPECT_EQ(begin, 1u);
    EXPECT_EQ(end, 10u);

    ASSERT_TRUE(pickWordAt(m_cells, 13, kClasses, text, 128, begin, end));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"\u00E9t\u00E9");

    ASSERT_TRUE(pickWordAt(m_cells, 16, kClasses, text, 128, begin, end));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"\u0434\u043E\u043C");
}

TEST_F(CellRunsTest, PickWordStopsAtSixtyFourCharacters)
{
    std::u16string letters;
    for (int i = 0; i < 100; ++i)
        letters.push_back(static_cast<char16_t>(u'a' + i % 26));
    layOut({u"x " + letters + u" y"});
    CellChar text[128];
    uint32_t begin = 0;
    uint32_t end = 0;
    const uint32_t picked = 2 + 79; // the 80th letter
    ASSERT_TRUE(pickWordAt(m_cells, picked, kClasses, text, 128, begin, end));
    const std::u16string word(reinterpret_cast<const char16_t*>(text));
    EXPECT_EQ(word, letters.substr(80 - 64, 64)) << "the 64 characters ending at the picked one";
    EXPECT_EQ(end, picked + 1);

    // Picked near its start, the forward scan stops first.
    ASSERT_TRUE(pickWordAt(m_cells, 3, kClasses, text, 128, begin, end));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), letters.substr(0, 63));

    // A buffer too small for the word takes nothing.
    EXPECT_FALSE(pickWordAt(m_cells, 3, kClasses, text, 10, begin, end));
}

TEST_F(CellRunsTest, HitsOnlyStrictlyInsideAVisibleCell)
{
    layOut(kFiveLines);
    VisibleRun run = findVisibleRun(m_cells, 0, 0, 600);
    uint32_t index = 99;
    ASSERT_TRUE(findCellAt(m_cells, run, 25, 40, index));
    EXPECT_EQ(index, 0u);
    ASSERT_TRUE(findCellAt(m_cells, run, 35, 70, index));
    EXPECT_EQ(index, lineStart(1) + 1);

    index = 99;
    EXPECT_FALSE(findCellAt(m_cells, run, 30, 40, index)) << "on the border of two cells";
    EXPECT_FALSE(findCellAt(m_cells, run, 25, 30, index)) << "on a line's top edge";
    EXPECT_FALSE(findCellAt(m_cells, run, 25, 50, index)) << "on a line's bottom edge";
    EXPECT_FALSE(findCellAt(m_cells, run, 25, 55, index)) << "between two lines";
    EXPECT_EQ(index, 99u);

    // Cells outside the visible run are not hit.
    VisibleRun lower = findVisibleRun(m_cells, 0, 60, 600);
    EXPECT_FALSE(findCellAt(m_cells, lower, 25, 40, index));
    // A run whose end lies past the cells stops at the last one.
    VisibleRun wide{lineStart(4), UINT32_MAX, true};
    EXPECT_FALSE(findCellAt(m_cells, wide, 2000, 160, index));
    ASSERT_TRUE(findCellAt(m_cells, wide, 115, 160, index));
    EXPECT_EQ(index, m_cells.count() - 1);
}

TEST_F(CellRunsTest, CountsLinesOfARun)
{
    layOut(kFiveLines);
    EXPECT_EQ(countLines(m_cells, 2, 8), 1u);
    EXPECT_EQ(countLines(m_cells, 2, lineStart(1)), 2u) << "ending on the next line's first cell";
    EXPECT_EQ(countLines(m_cells, 0, m_cells.count() - 1), 5u);
    EXPECT_EQ(countLines(m_cells, 0, UINT32_MAX), 5u) << "stops at the last cell";
    EXPECT_EQ(countLines(m_cells, 5, 4), 1u);
    EXPECT_EQ(countLines(m_cells, UINT32_MAX, UINT32_MAX), 1u);
}

TEST_F(CellRunsTest, RecolouringThreeLinesAnswersThePartOfTheLastLine)
{
    layOut(kFiveLines);
    const uint32_t first = lineStart(1) + 5;
    const uint32_t last = lineStart(3) + 3;
    const Rect r = recolorCells(m_cells, RgbColor(0, 159, 0), first, last);
    for (uint32_t i = 0; i < m_cells.count(); ++i) {
        const bool inRange = i >= first && i <= last;
        EXPECT_EQ(m_cells.at(i).color() == RgbColor(0, 159, 0), inRange) << i;
    }
    EXPECT_EQ(r.left(), 20);
    EXPECT_EQ(r.top(), 120);
    EXPECT_EQ(r.right(), 20 + 4 * 10);
    EXPECT_EQ(r.bottom(), 140);

    // A range past the cells colours what exists; an inverted one nothing.
    const Rect tail = recolorCells(m_cells, RgbColor(0, 0, 223), m_cells.count() - 2, UINT32_MAX);
    EXPECT_EQ(m_cells.at(m_cells.count() - 1).color(), RgbColor(0, 0, 223));
    EXPECT_EQ(tail.width(), 20);
    const Rect none = recolorCells(m_cells, RgbColor(1, 1, 1), 5, 4);
    EXPECT_EQ(none.width(), 0);
    EXPECT_EQ(m_cells.at(4).color(), RgbColor(0, 0, 0));
}

TEST_F(CellRunsTest, DocumentHeightIsTheTopOfTheLastCell)
{
    layOut(kFiveLines);
    EXPECT_EQ(lastCellTop(m_cells), 150);
}

TEST(CharClassesTest, ThreeBands)
{
    EXPECT_TRUE(kClasses.isLetter(u'q'));
    EXPECT_FALSE(kClasses.isLetter(u'\''));
    EXPECT_FALSE(kClasses.isLetter(u'\u00E9')) << "no class from U+0080 to U+00FF";
    EXPECT_TRUE(kClasses.isWordChar(u'\u00E9'));
    EXPECT_TRUE(kClasses.isWordChar(u'\u00A0'));
    EXPECT_FALSE(kClasses.isWordChar(u'\''));
    EXPECT_FALSE(kClasses.isWordChar(u'\t'));
    EXPECT_FALSE(kClasses.isWordChar(0x7F));
    EXPECT_FALSE(kClasses.isWordChar(u'~'));
    EXPECT_TRUE(kClasses.isLetter(u'\u0436')) << "from U+0100 the platform decides";
    EXPECT_FALSE(kClasses.isWordChar(u'\u2019'));
    EXPECT_TRUE(CharClasses(nullptr).isWordChar(u'\u0436'));
}
