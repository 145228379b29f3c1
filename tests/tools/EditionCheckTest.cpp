#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LoaderTestFiles.h"
#include "SegmentRows.h"
#include "document/BookLoader.h"
#include "edition/ChapterTable.h"
#include "tools/demo/DemoBook.h"
#include "tools/demo/DemoEdition.h"
#include "tools/demo/DemoPortrait.h"
#include "tools/demo/EditionCheck.h"

// The checks against the demo book, whole and damaged, loaded by the
// reader's own loader from a scratch directory.

namespace {

struct BookFiles {
    std::vector<std::u16string> m_paragraphs;
    std::u16string m_russian;
    std::u16string m_english;
};

BookFiles demoFiles()
{
    static DemoBook book;
    static std::string error;
    static bool built = book.build(filledTable(), error);
    EXPECT_TRUE(built) << error;
    BookFiles files;
    for (const DemoParagraph& p : book.paragraphs())
        files.m_paragraphs.push_back(p.m_text);
    files.m_russian = book.translationText(0);
    files.m_english = book.translationText(1);
    return files;
}

// Writes the files into the current directory and loads them as the reader does.
void load(const BookFiles& files, BookText& text)
{
    std::u16string book;
    for (const std::u16string& p : files.m_paragraphs)
        book += p + u"\r\n";
    ASSERT_TRUE(writeUtf16File("book.txt", book));
    ASSERT_TRUE(writeUtf16File("book_t1.txt", files.m_russian));
    ASSERT_TRUE(writeUtf16File("book_t2.txt", files.m_english));
    BookLoader loader;
    ASSERT_TRUE(loader.loadBook(text));
    loader.loadTranslations(text);
}

std::vector<std::string> textProblems(const BookFiles& files)
{
    BookText text;
    load(files, text);
    std::vector<std::string> problems;
    checkSegmentsInText(text, filledTable(), problems);
    checkChapterCells(text, filledTable(), problems);
    checkTranslations(text, problems);
    return problems;
}

bool mentions(const std::vector<std::string>& problems, const std::string& part)
{
    for (const std::string& p : problems) {
        if (p.find(part) != std::string::npos)
            return true;
    }
    return false;
}

std::string joined(const std::vector<std::string>& problems)
{
    std::string all;
    for (const std::string& p : problems)
        all += p + "\n";
    return all;
}

// Drops the record of the given header line and its text line.
std::u16string withoutRecord(const std::u16string& records, const std::u16string& header)
{
    const size_t at = records.find(u"\n" + header) + 1;
    const size_t end = records.find(u"\n", records.find(u"\n", at) + 1) + 1;
    return records.substr(0, at) + records.substr(end);
}

} // namespace

TEST(EditionCheckTest, DemoBookFits)
{
    ScratchDirectory dir;
    const std::vector<std::string> problems = textProblems(demoFiles());
    EXPECT_TRUE(problems.empty()) << joined(problems);
    EXPECT_EQ(requiredParagraphCount(filledTable()), 682u);

    // The book ends with paragraph 681, the last the segments read; the
    // loader adds the empty paragraph after the final line end.
    BookText text;
    load(demoFiles(), text);
    ASSERT_EQ(text.count(), 683u);
    EXPECT_EQ(text.at(682).text().count(), 0u);
    const WideString& last = text.at(681).text();
    ASSERT_GT(last.count(), 326u);
    EXPECT_EQ(last.at(last.count() - 1), u'\r');
    EXPECT_EQ(filledTable().at(4047).paragraphIndex(), 681);
}

TEST(EditionCheckTest, FindsMovedChapterCells)
{
    ScratchDirectory dir;
    BookFiles files = demoFiles();
    files.m_paragraphs[30] += u" Encore.";
    const std::vector<std::string> problems = textProblems(files);
    // Every cell after paragraph 30 moved; the first part's did not.
    EXPECT_TRUE(mentions(problems, "chapter 2 \"CHAPITRE II\": cell 9940")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "chapter 19 ")) << joined(problems);
    EXPECT_FALSE(mentions(problems, "chapter 0 ")) << joined(problems);
    EXPECT_FALSE(mentions(problems, "segment ")) << joined(problems);
}

TEST(EditionCheckTest, FindsTitlesMissingOrMisplaced)
{
    ScratchDirectory dir;
    BookFiles files = demoFiles();
    files.m_paragraphs[43] = u"CHAPITRE 2 "; // same length, not the title
    files.m_paragraphs[20] = u"CHAPITRE II"; // "CHAPITRE I" only as part of a longer title
    files.m_paragraphs[21].pop_back();       // keeps chapter II's cell
    files.m_paragraphs[21] += u"!";
    const std::vector<std::string> problems = textProblems(files);
    EXPECT_TRUE(mentions(problems, "chapter 2 \"CHAPITRE II\": paragraph 43 does not hold the title"))
        << joined(problems);
    EXPECT_TRUE(mentions(problems, "chapter 1 \"CHAPITRE I\": paragraph 20 does not hold the title"))
        << joined(problems);
}

TEST(EditionCheckTest, FindsSegmentsOutsideTheirParagraphs)
{
    ScratchDirectory dir;
    BookFiles files = demoFiles();
    // Paragraph 100 loses its last three characters, paragraph 101 gains them.
    std::u16string& shortened = files.m_paragraphs[100];
    files.m_paragraphs[101] = shortened.substr(shortened.size() - 3) + files.m_paragraphs[101];
    shortened.resize(shortened.size() - 3);
    std::vector<std::string> problems = textProblems(files);
    EXPECT_TRUE(mentions(problems, "(paragraph 100, ")) << joined(problems);
    EXPECT_FALSE(mentions(problems, "chapter ")) << joined(problems);

    // A book that stops early lacks the paragraphs of the last segments.
    files = demoFiles();
    files.m_paragraphs.resize(600);
    problems = textProblems(files);
    EXPECT_TRUE(mentions(problems, "the book has 601 paragraphs, the tables need 682")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "(paragraph 681, ")) << joined(problems);
}

TEST(EditionCheckTest, FindsTranslationsOutOfStep)
{
    ScratchDirectory dir;
    BookFiles files = demoFiles();
    files.m_english = withoutRecord(files.m_english, u"100|");
    std::vector<std::string> problems = textProblems(files);
    EXPECT_TRUE(mentions(problems, "paragraph 100: ")) << joined(problems);

    files = demoFiles();
    std::swap(files.m_russian, files.m_english);
    problems = textProblems(files);
    EXPECT_TRUE(mentions(problems, "not Russian in book_t1.txt")) << joined(problems);

    // A range past its paragraph's line end, in both files alike.
    files = demoFiles();
    const std::u16string header = u"\n0|0|34\r";
    const std::u16string wrong = u"\n0|0|35\r";
    files.m_russian.replace(files.m_russian.find(u"0|0|34\r"), 7, u"0|0|35\r");
    files.m_english.replace(files.m_english.find(u"0|0|34\r"), 7, u"0|0|35\r");
    problems = textProblems(files);
    EXPECT_TRUE(mentions(problems, "paragraph 0 sentence 0: characters 0 to 35")) << joined(problems);
}

TEST(EditionCheckTest, NeedsBothTranslationFiles)
{
    ScratchDirectory dir;
    BookText text;
    load(demoFiles(), text);
    BookText lonely;
    std::remove("book_t2.txt");
    BookLoader loader;
    ASSERT_TRUE(loader.loadBook(lonely));
    loader.loadTranslations(lonely);
    std::vector<std::string> problems;
    checkTranslations(lonely, problems);
    EXPECT_TRUE(mentions(problems, "has 1 translation files")) << joined(problems);
}

TEST(EditionCheckTest, TracksMustHoldTheirLastSegment)
{
    ScratchDirectory dir;
    DemoTrack track(kDemoQuickFormat, 2000);
    ASSERT_TRUE(track.write("whole.wav"));
    std::vector<std::string> problems;
    checkTrack("whole.wav", 2000, problems);
    EXPECT_TRUE(problems.empty()) << joined(problems);

    checkTrack("whole.wav", 2001, problems);
    checkTrack("missing.wav", 10, problems);
    ASSERT_EQ(problems.size(), 2u) << joined(problems);
    EXPECT_EQ(problems[0], "whole.wav: its sound ends at 0:02.000, before its last segment ends at 0:02.001");
    EXPECT_EQ(problems[1], "missing.wav: missing");
}

TEST(EditionCheckTest, TracksMustBeWavThatThePlayerPlays)
{
    ScratchDirectory dir;
    const std::string good = DemoTrack(kDemoFullFormat, 500).wavBytes();
    struct Damage {
        const char* m_name;
        std::string m_bytes;
        const char* m_problem;
    };
    std::string slow = good;
    slow[24] = static_cast<char>(100); // 100 samples a second, 200 bytes
    slow[25] = slow[26] = slow[27] = 0;
    slow[28] = static_cast<char>(200);
    slow[29] = slow[30] = slow[31] = 0;
    std::string cut = good.substr(0, good.size() - 10);
    std::string adpcm = good;
    adpcm[20] = 2;
    std::string noFormat = good;
    noFormat.replace(12, 4, "junk");
    const Damage damages[] = {
        {"slow.wav", slow, "byte rate 200 is below 1000"},     {"cut.wav", cut, "\"data\" chunk runs past the end"},
        {"adpcm.wav", adpcm, "not a plain PCM format"},        {"noformat.wav", noFormat, "no \"fmt \" chunk"},
        {"text.wav", "RIFX and more", "not a RIFF WAVE file"},
    };
    for (const Damage& d : damages) {
        writeBytes(d.m_name, d.m_bytes);
        std::vector<std::string> problems;
        checkTrack(d.m_name, 100, problems);
        EXPECT_TRUE(mentions(problems, d.m_problem)) << d.m_name << ": " << joined(problems);
    }
}

TEST(EditionCheckTest, PictureIsAnUncompressed24BitBitmap)
{
    ScratchDirectory dir;
    const std::string good = DemoPortrait().bmpBytes();
    writeBytes("good.bmp", good);
    std::vector<std::string> problems;
    checkPicture("good.bmp", problems);
    EXPECT_TRUE(problems.empty()) << joined(problems);
    EXPECT_EQ(good.size(), 54u + 3u * DemoPortrait::kWidth * DemoPortrait::kHeight);

    std::string deep = good;
    deep[28] = 32;
    writeBytes("deep.bmp", deep);
    writeBytes("cut.bmp", good.substr(0, good.size() - 1));
    checkPicture("deep.bmp", problems);
    checkPicture("cut.bmp", problems);
    checkPicture("missing.bmp", problems);
    ASSERT_EQ(problems.size(), 3u) << joined(problems);
    EXPECT_EQ(problems[0], "deep.bmp: not an uncompressed 24-bit bitmap");
    EXPECT_EQ(problems[1], "cut.bmp: its pixels run past the end of the file");
    EXPECT_EQ(problems[2], "missing.bmp: missing");
}
