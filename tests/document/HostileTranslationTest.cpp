#include <gtest/gtest.h>

#include <string>

#include "LoaderTestFiles.h"
#include "document/BookData.h"
#include "document/BookLoader.h"

// A translation file whose first record number has a million digits, beside
// a book of 50,000 lines. Every paragraph that reads that number again costs
// a million steps: a loader that does so takes minutes, past this test's time
// limit. The number, with its leading zeros, names the book's last line.
TEST(HostileTranslationTest, AMillionDigitRecordNumberIsReadOnce)
{
    const uint32_t lines = 50000;
    std::u16string book;
    for (uint32_t i = 0; i < lines; ++i)
        book += u"ligne\r\n";
    const std::u16string last = u"49999";
    std::u16string translation(1000000 - last.size(), u'0');
    translation += last + u"|0|4\r\nline\r\n";

    ScratchDirectory dir;
    writeBytes("book.txt", utf16Bytes(book));
    writeBytes("book_t1.txt", utf16Bytes(translation));
    BookLoader loader;
    BookData data;
    ASSERT_TRUE(loader.loadBook(data.text()));
    ASSERT_EQ(data.text().count(), lines + 1);
    EXPECT_TRUE(loader.loadTranslations(data.text()));

    BookText& text = data.text();
    for (uint32_t p = 0; p + 1 < lines; ++p)
        ASSERT_EQ(text.at(p).translation(0).count(), 0u) << "paragraph " << p;
    ASSERT_EQ(text.at(lines - 1).translation(0).count(), 1u);
    EXPECT_EQ(toU16(text.at(lines - 1).phrase(0, 0)), u"line");
    EXPECT_EQ(text.at(lines - 1).phrase(0, 0).last(), 4);
}
