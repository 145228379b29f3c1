#include <gtest/gtest.h>

#include "document/AudioSegment.h"
#include "document/BookData.h"
#include "document/BookText.h"

namespace {

void setText(WideString& s, const char16_t* text, uint32_t n)
{
    ASSERT_TRUE(s.setSize(n));
    for (uint32_t i = 0; i < n; ++i)
        s.at(i) = text[i];
}

} // namespace

TEST(BookTextTest, WithoutTranslationsEveryPhraseIsTheDefault)
{
    BookText text;
    ASSERT_TRUE(text.setSize(2));
    text.setTranslationCount(0);
    EXPECT_EQ(text.translationCount(), 0u);
    EXPECT_FALSE(text.anyTranslationVisible());
    EXPECT_EQ(text.at(0).translations().count(), 0u);
    TranslationPhrase& p = text.at(1).phrase(0, 0);
    EXPECT_EQ(p.count(), 0u);
    EXPECT_EQ(p.first(), 0);
    EXPECT_EQ(p.last(), 0);
    EXPECT_EQ(text.at(1).translation(3).count(), 0u);
}

TEST(BookTextTest, VisibleFlags)
{
    BookText text;
    text.setTranslationCount(2);
    EXPECT_EQ(text.isTranslationVisible(0), 1);
    EXPECT_EQ(text.isTranslationVisible(1), 1);
    EXPECT_EQ(text.isTranslationVisible(2), 0);

    text.setTranslationVisible(0, 0);
    EXPECT_TRUE(text.anyTranslationVisible());
    text.setTranslationVisible(1, 0);
    EXPECT_FALSE(text.anyTranslationVisible());

    text.setTranslationVisible(1, 1);
    text.setTranslationVisible(5, 0);
    EXPECT_EQ(text.isTranslationVisible(5), 0);
    EXPECT_EQ(text.isTranslationVisible(1), 1);
}

TEST(BookTextTest, PhrasesByTranslationAndPosition)
{
    BookText text;
    ASSERT_TRUE(text.setSize(1));
    BookParagraph& p = text.at(0);
    ASSERT_TRUE(p.translations().setSize(2));
    ASSERT_TRUE(p.translation(1).setSize(2));
    setText(p.phrase(1, 1), u"Yes.", 4);
    p.phrase(1, 1).set(3, 9);
    EXPECT_EQ(p.phrase(1, 1).count(), 4u);
    EXPECT_EQ(p.phrase(1, 1).at(3), u'.');
    EXPECT_EQ(p.phrase(1, 1).last(), 9);
    // A translation with fewer phrases answers the default for the rest.
    EXPECT_EQ(p.phrase(0, 1).count(), 0u);
    EXPECT_EQ(p.phrase(1, 2).count(), 0u);
}

TEST(BookTextTest, NestedArraysAreDestroyedCompletely)
{
    // Under LeakSanitizer a leak of an inner array or phrase fails the test.
    TranslationArray* translations = new TranslationArray;
    ASSERT_TRUE(translations->setSize(2));
    for (uint32_t t = 0; t < 2; ++t) {
        ASSERT_TRUE(translations->at(t).setSize(3));
        for (uint32_t k = 0; k < 3; ++k)
            translations->at(t).at(k).assign(u"phrase");
    }
    FixedArray<TranslationPhraseArray>* base = translations;
    delete base;
}

TEST(BookDataTest, TotalsCountEveryCharacterOfEveryParagraph)
{
    BookData data;
    ASSERT_TRUE(data.text().setSize(3));
    setText(data.text().at(0).text(), u"Le soleil br\r", 13);
    setText(data.text().at(2).text(), u"brille\r", 7);
    data.computeTotals();
    EXPECT_EQ(data.totalCharacters(), 20u);
    EXPECT_EQ(&BookData::instance(), &BookData::instance());
}

TEST(AudioSegmentTest, TextRangeMarksTheSegmentValid)
{
    AudioSegment s;
    EXPECT_EQ(s.isValid(), 0);
    EXPECT_EQ(s.trackName().count(), 0u);
    s.setTextRange(0, 38, 21);
    EXPECT_EQ(s.paragraphIndex(), 21);
    EXPECT_EQ(s.firstChar(), 0);
    EXPECT_EQ(s.lastChar(), 38);
    EXPECT_EQ(s.isValid(), 1);
}

TEST(AudioSegmentTest, FillCopiesEverythingButTheParagraph)
{
    AudioSegment s;
    s.setTextRange(4, 9, 17);
    WideString name;
    name.assign(u"omblt07.wav");
    s.fill(name, TrackTime(0, 1, 2, 30), TrackTime(0, 1, 3, 40), 0, 0, 0);
    EXPECT_EQ(s.paragraphIndex(), 17);
    EXPECT_EQ(s.isValid(), 0);
    EXPECT_EQ(s.firstChar(), 0);
    EXPECT_EQ(s.lastChar(), 0);
    ASSERT_EQ(s.trackName().count(), 12u);
    EXPECT_EQ(s.trackName().at(6), u'7');
    EXPECT_EQ(s.trackName().at(11), 0);
    EXPECT_EQ(s.start().toMilliseconds(), 62030u);
    EXPECT_EQ(s.end().toMilliseconds(), 63040u);

    // The name is a copy: changing the source leaves the segment alone.
    name.assign(u"x");
    EXPECT_EQ(s.trackName().count(), 12u);
}

TEST(AudioSegmentTest, ThePastTheEndSegmentIsTheTablesDefault)
{
    AudioSegmentArray table;
    ASSERT_TRUE(table.setSize(4));
    table.at(1).setTextRange(0, 5, 0);
    EXPECT_EQ(table.at(1).isValid(), 1);
    EXPECT_EQ(table.at(4).isValid(), 0);
    EXPECT_EQ(table.at(4).trackName().count(), 0u);
    bool inRange = true;
    EXPECT_EQ(table.atChecked(4048, inRange).isValid(), 0);
    EXPECT_FALSE(inRange);
}
