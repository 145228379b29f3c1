#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "LoaderTestFiles.h"
#include "document/BookData.h"
#include "document/BookLoader.h"

namespace {

using Words = std::vector<std::pair<int32_t, int32_t>>;

Words wordsOf(BookParagraph& p)
{
    Words words;
    for (uint32_t i = 0; i < p.wordRanges().count(); ++i)
        words.emplace_back(p.wordRanges().at(i).begin(), p.wordRanges().at(i).length());
    return words;
}

class BookFileTest : public testing::Test {
protected:
    // Loads "book.txt" as written by the test into a document of its own.
    void load(const std::string& bytes)
    {
        writeBytes("book.txt", bytes);
        ASSERT_TRUE(m_loader.loadBook(m_data.text()));
        m_data.computeTotals();
    }
    std::u16string paragraph(uint32_t i) { return toU16(m_data.text().at(i).text()); }

    ScratchDirectory m_dir;
    BookLoader m_loader;
    BookData m_data;
};

} // namespace

TEST_F(BookFileTest, EveryLineIsAParagraphWithItsCarriageReturn)
{
    load(utf16Bytes(u"Le soleil\r\nbrille.\r\n"));
    BookText& text = m_data.text();
    ASSERT_EQ(text.count(), 3u);
    EXPECT_EQ(paragraph(0), u"Le soleil\r");
    EXPECT_EQ(wordsOf(text.at(0)), (Words{{0, 2}, {3, 6}}));
    EXPECT_EQ(paragraph(1), u"brille.\r");
    EXPECT_EQ(wordsOf(text.at(1)), (Words{{0, 7}}));
    EXPECT_EQ(text.at(2).text().count(), 0u);
    EXPECT_EQ(text.at(2).wordRanges().count(), 0u);
    EXPECT_EQ(m_data.totalCharacters(), 18u);
}

TEST_F(BookFileTest, TheLastCharacterSurvivesAMissingFinalLineEnd)
{
    load(utf16Bytes(u"Le soleil\r\nbrille."));
    ASSERT_EQ(m_data.text().count(), 2u);
    EXPECT_EQ(paragraph(1), u"brille.");
    EXPECT_EQ(wordsOf(m_data.text().at(1)), (Words{{0, 7}}));
    EXPECT_EQ(m_data.totalCharacters(), 17u);
}

TEST_F(BookFileTest, WordsEndAtBlanksAndAtTheLineEnd)
{
    load(utf16Bytes(u"a  b\r\n\r\nabc def\nx\ty \r\n"));
    BookText& text = m_data.text();
    ASSERT_EQ(text.count(), 5u);
    // Two blanks in a row make an empty word.
    EXPECT_EQ(wordsOf(text.at(0)), (Words{{0, 1}, {2, 0}, {3, 1}}));
    // An empty line is its carriage return and one empty word.
    EXPECT_EQ(paragraph(1), u"\r");
    EXPECT_EQ(wordsOf(text.at(1)), (Words{{0, 0}}));
    // A bare line feed: the last word keeps its last character.
    EXPECT_EQ(paragraph(2), u"abc def");
    EXPECT_EQ(wordsOf(text.at(2)), (Words{{0, 3}, {4, 3}}));
    // Tabs are no blanks; a blank before the CR leaves a spare empty entry.
    EXPECT_EQ(paragraph(3), u"x\ty \r");
    EXPECT_EQ(wordsOf(text.at(3)), (Words{{0, 3}, {4, 0}}));
}

TEST_F(BookFileTest, OddAndTinyFiles)
{
    load(utf16Bytes(u""));
    ASSERT_EQ(m_data.text().count(), 1u);
    EXPECT_EQ(m_data.text().at(0).text().count(), 0u);

    for (const std::string& bytes : {std::string(), std::string("\xFF"), std::string("\xFF\xFE")}) {
        load(bytes);
        ASSERT_EQ(m_data.text().count(), 1u);
        EXPECT_EQ(m_data.totalCharacters(), 0u);
    }

    // A lone last byte is dropped; the unit before it is kept.
    load(utf16Bytes(u"ab") + "c");
    ASSERT_EQ(m_data.text().count(), 1u);
    EXPECT_EQ(paragraph(0), u"ab");

    // Without a byte-order mark the first character is not lost.
    load(utf16Bytes(u"Le\r\n", false));
    EXPECT_EQ(paragraph(0), u"Le\r");

    // A lone CR is an ordinary character, not a line end.
    load(utf16Bytes(u"a\rb\r\n"));
    ASSERT_EQ(m_data.text().count(), 2u);
    EXPECT_EQ(paragraph(0), u"a\rb\r");
}

TEST_F(BookFileTest, AMissingBookBecomesTheErrorMessage)
{
    ASSERT_TRUE(m_loader.loadBook(m_data.text()));
    BookText& text = m_data.text();
    ASSERT_EQ(text.count(), 1u);
    const std::u16string message = paragraph(0);
    EXPECT_EQ(message.rfind(u"Error - the file book.txt is not found.", 0), 0u);
    // The last non-empty word is the program's name with its full stop.
    Words words = wordsOf(text.at(0));
    std::u16string last;
    for (const auto& w : words) {
        if (w.second > 0)
            last = message.substr(static_cast<size_t>(w.first), static_cast<size_t>(w.second));
    }
    EXPECT_EQ(last, u"Tavrems.exe.");
}

TEST_F(BookFileTest, AVeryLongLine)
{
    std::u16string line;
    for (int i = 0; i < 100000; ++i)
        line += u"mot ";
    load(utf16Bytes(line + u"fin\r\n"));
    ASSERT_EQ(m_data.text().count(), 2u);
    BookParagraph& p = m_data.text().at(0);
    EXPECT_EQ(p.text().count(), 400004u);
    EXPECT_EQ(p.wordRanges().count(), 100001u);
    EXPECT_EQ(p.wordRanges().at(100000).begin(), 400000);
    EXPECT_EQ(p.wordRanges().at(100000).length(), 3);
}

namespace {

class TranslationFileTest : public BookFileTest {
protected:
    void SetUp() override { load(utf16Bytes(u"p0\r\np1\r\np2\r\np3\r\np4\r\np5\r\n")); }

    void loadTranslations(const std::vector<std::u16string>& files)
    {
        for (size_t k = 0; k < files.size(); ++k)
            writeBytes("book_t" + std::to_string(k + 1) + ".txt", utf16Bytes(files[k]));
        EXPECT_TRUE(m_loader.loadTranslations(m_data.text()));
    }
    TranslationPhrase& phrase(uint32_t p, uint32_t k, uint32_t a = 0) { return m_data.text().at(p).phrase(a, k); }
    uint32_t phraseCount(uint32_t p, uint32_t a = 0) { return m_data.text().at(p).translation(a).count(); }
    void expectPhrase(uint32_t p, uint32_t k, const std::u16string& text, int32_t first, int32_t last)
    {
        EXPECT_EQ(toU16(phrase(p, k)), text) << "paragraph " << p << ", phrase " << k;
        EXPECT_EQ(phrase(p, k).first(), first) << "paragraph " << p << ", phrase " << k;
        EXPECT_EQ(phrase(p, k).last(), last) << "paragraph " << p << ", phrase " << k;
    }
};

} // namespace

TEST_F(TranslationFileTest, RecordsGoToTheirParagraphsInOrder)
{
    loadTranslations({u"0|0|8\r\nHe said.\r\n0|10|19\r\nIt rains.\r\n2|0|4\r\nYes.\r\n", u"0|0|8\r\nOn dit.\r\n"});
    EXPECT_EQ(m_data.text().translationCount(), 2u);
    EXPECT_TRUE(m_data.text().anyTranslationVisible());
    ASSERT_EQ(phraseCount(0), 2u);
    EXPECT_EQ(toU16(phrase(0, 0)), u"He said.");
    EXPECT_EQ(phrase(0, 0).first(), 0);
    EXPECT_EQ(phrase(0, 0).last(), 8);
    EXPECT_EQ(toU16(phrase(0, 1)), u"It rains.");
    EXPECT_EQ(phrase(0, 1).first(), 10);
    EXPECT_EQ(phrase(0, 1).last(), 19);
    EXPECT_EQ(phraseCount(1), 0u);
    ASSERT_EQ(phraseCount(2), 1u);
    EXPECT_EQ(toU16(phrase(2, 0)), u"Yes.");
    EXPECT_EQ(phrase(2, 0).last(), 4);

    // The second file has fewer phrases: the rest answer the empty default.
    EXPECT_EQ(toU16(phrase(0, 0, 1)), u"On dit.");
    EXPECT_EQ(phrase(0, 1, 1).count(), 0u);
    EXPECT_EQ(phrase(0, 1, 1).last(), 0);
}

TEST_F(TranslationFileTest, TheSearchStopsAtTheFirstMissingNumber)
{
    writeBytes("book_t1.txt", utf16Bytes(u"0|0|1\r\nA\r\n"));
    writeBytes("book_t3.txt", utf16Bytes(u"0|0|1\r\nC\r\n"));
    EXPECT_TRUE(m_loader.loadTranslations(m_data.text()));
    EXPECT_EQ(m_data.text().translationCount(), 1u);
    EXPECT_EQ(m_data.text().at(0).translations().count(), 1u);
}

TEST_F(TranslationFileTest, NoTranslationFiles)
{
    EXPECT_TRUE(m_loader.loadTranslations(m_data.text()));
    EXPECT_EQ(m_data.text().translationCount(), 0u);
    EXPECT_FALSE(m_data.text().anyTranslationVisible());
    EXPECT_EQ(m_data.text().at(0).translations().count(), 0u);
}

TEST_F(TranslationFileTest, AFirstRecordWithATwoDigitNumberKeepsBothDigits)
{
    load(utf16Bytes(u"0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n"));
    loadTranslations({u"12|0|3\r\nTwelve\r\n"});
    ASSERT_EQ(phraseCount(12), 1u);
    EXPECT_EQ(toU16(phrase(12, 0)), u"Twelve");
    EXPECT_EQ(phraseCount(2), 0u);
}

TEST_F(TranslationFileTest, AStrayUnitBeforeTheFirstRecordIsPassedOver)
{
    loadTranslations({u"\xFEFF"
                      u"1|0|1\r\nOne\r\n"});
    ASSERT_EQ(phraseCount(1), 1u);
    EXPECT_EQ(toU16(phrase(1, 0)), u"One");
}

TEST_F(TranslationFileTest, RecordsOutOfOrderEndTheFile)
{
    loadTranslations({u"0|0|1\r\nA\r\n5|0|1\r\nF\r\n3|0|1\r\nD\r\n5|0|2\r\nG\r\n"});
    EXPECT_EQ(phraseCount(0), 1u);
    ASSERT_EQ(phraseCount(5), 1u);
    EXPECT_EQ(toU16(phrase(5, 0)), u"F");
    EXPECT_EQ(phraseCount(3), 0u);
}

TEST_F(TranslationFileTest, MalformedTextLines)
{
    // An empty text line keeps its range; a bare LF keeps the last character;
    // a missing text line at the end leaves the default phrase.
    loadTranslations({u"0|3|7\r\n\r\n1|0|2\nabc\n2|1|1\r\nlast"
                      u"\r\n3|4|4\r\n"});
    ASSERT_EQ(phraseCount(0), 1u);
    EXPECT_EQ(phrase(0, 0).count(), 0u);
    EXPECT_EQ(phrase(0, 0).first(), 3);
    EXPECT_EQ(phrase(0, 0).last(), 7);
    EXPECT_EQ(toU16(phrase(1, 0)), u"abc");
    EXPECT_EQ(toU16(phrase(2, 0)), u"last");
    ASSERT_EQ(phraseCount(3), 1u);
    EXPECT_EQ(phrase(3, 0).count(), 0u);
    EXPECT_EQ(phrase(3, 0).last(), 0);
}

TEST_F(TranslationFileTest, AHeaderEndsAtItsLineEnd)
{
    // A header of the paragraph number alone reads as 0|0|0; the numbers
    // are not taken from the text line, and the records after it keep their
    // own texts and ranges.
    loadTranslations({u"0\r\nA\r\n0|5|9\r\nZ\r\n1|0|1\r\nB\r\n"});
    ASSERT_EQ(phraseCount(0), 2u);
    expectPhrase(0, 0, u"A", 0, 0);
    expectPhrase(0, 1, u"Z", 5, 9);
    ASSERT_EQ(phraseCount(1), 1u);
    expectPhrase(1, 0, u"B", 0, 1);

    // Cut after a separator, or after the second number; the text lines start with digits.
    loadTranslations({u"0|\r\n12|3\r\n0|7\r\n4|5|6\r\n1|2|3\r\nB\r\n"});
    ASSERT_EQ(phraseCount(0), 2u);
    expectPhrase(0, 0, u"12|3", 0, 0);
    expectPhrase(0, 1, u"4|5|6", 7, 0);
    ASSERT_EQ(phraseCount(1), 1u);
    expectPhrase(1, 0, u"B", 2, 3);
}

TEST_F(TranslationFileTest, TheLastLineWithoutLineEndKeepsItsText)
{
    loadTranslations({u"0|0|2\r\nabc"});
    EXPECT_EQ(toU16(phrase(0, 0)), u"abc");
}

TEST_F(TranslationFileTest, EnormousNumbersWrapWithoutHarm)
{
    loadTranslations({u"0|99999999999|4294967297\r\nBig\r\n4294967296|0|1\r\nWrapped to 0\r\n"});
    ASSERT_EQ(phraseCount(0), 2u);
    EXPECT_EQ(phrase(0, 0).first(), static_cast<int32_t>(99999999999ull % 4294967296ull));
    EXPECT_EQ(phrase(0, 0).last(), 1);
    // The second paragraph number wrapped to 0.
    EXPECT_EQ(toU16(phrase(0, 1)), u"Wrapped to 0");
    EXPECT_EQ(phraseCount(1), 0u);
}

TEST_F(TranslationFileTest, NearlyEmptyFilesGiveNoPhrases)
{
    writeBytes("book_t1.txt", "\xFF\xFE");
    writeBytes("book_t2.txt", utf16Bytes(u"x"));
    writeBytes("book_t3.txt", "\xFF\xFE\x30");
    EXPECT_TRUE(m_loader.loadTranslations(m_data.text()));
    EXPECT_EQ(m_data.text().translationCount(), 3u);
    for (uint32_t a = 0; a < 3; ++a) {
        for (uint32_t p = 0; p < m_data.text().count(); ++p)
            EXPECT_EQ(phraseCount(p, a), 0u);
    }
}

TEST(LoaderParsingTest, DecimalNumbers)
{
    const std::u16string s = u"x12|4294967296|";
    uint32_t end = 0;
    EXPECT_EQ(parseDecimal(s.data(), static_cast<uint32_t>(s.size()), 0, end), 0u);
    EXPECT_EQ(end, 0u);
    EXPECT_EQ(parseDecimal(s.data(), static_cast<uint32_t>(s.size()), 1, end), 12u);
    EXPECT_EQ(end, 3u);
    EXPECT_EQ(parseDecimal(s.data(), static_cast<uint32_t>(s.size()), 4, end), 0u);
    EXPECT_EQ(end, 14u);
    // Digits stop at the length given, and a start past it reads nothing.
    EXPECT_EQ(parseDecimal(s.data(), 2, 1, end), 1u);
    EXPECT_EQ(end, 2u);
    EXPECT_EQ(parseDecimal(s.data(), 2, 7, end), 0u);
    EXPECT_EQ(end, 7u);
}

TEST(LoaderParsingTest, SkippingLinesNeverPassesTheEnd)
{
    const std::u16string s = u"ab\r\ncd\nef";
    const uint32_t n = static_cast<uint32_t>(s.size());
    uint32_t q = 0;
    BookLoader::skipLines(s.data(), n, 1, q);
    EXPECT_EQ(q, 4u);
    BookLoader::skipLines(s.data(), n, 1, q);
    EXPECT_EQ(q, 7u);
    BookLoader::skipLines(s.data(), n, 1, q);
    EXPECT_EQ(q, n);
    BookLoader::skipLines(s.data(), n, 5, q);
    EXPECT_EQ(q, n);
    q = 3; // standing on a line feed
    BookLoader::skipLines(s.data(), n, 1, q);
    EXPECT_EQ(q, 4u);
    q = 100;
    BookLoader::skipLines(s.data(), n, 1, q);
    EXPECT_EQ(q, n);
}

TEST_F(BookFileTest, LoadingAllFillsTheWholeDocument)
{
    writeBytes("book.txt", utf16Bytes(u"Le soleil\r\nbrille.\r\n"));
    writeBytes("book_t1.txt", utf16Bytes(u"0|0|8\r\nThe sun\r\n"));
    BookLoader loader;
    EXPECT_TRUE(loader.loadAll());
    BookData& document = BookData::instance();
    EXPECT_EQ(document.text().count(), 3u);
    EXPECT_EQ(document.text().translationCount(), 1u);
    EXPECT_EQ(toU16(document.text().at(0).phrase(0, 0)), u"The sun");
    EXPECT_EQ(document.segments().count(), 4048u);
    EXPECT_EQ(document.segments().at(4047).isValid(), 1);
    EXPECT_EQ(document.totalCharacters(), 18u);
}
