#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "reader/balloons/CalloutText.h"
#include "tests/reader/support/WrapTestSupport.h"

namespace {

template <typename CharT>
class CalloutTextTest : public ::testing::Test {
protected:
    // Wraps `text` against `maxWidth`; answers it with its line breaks shown
    // as '|'.
    std::string wrap(const char* text, int32_t maxWidth)
    {
        std::vector<CharT> buffer(text, text + std::char_traits<char>::length(text) + 1);
        wrapText(buffer.data(), maxWidth, measurer, width, height);
        std::string result;
        for (size_t i = 0; buffer[i] != 0; ++i)
            result += buffer[i] == 0x0A ? '|' : static_cast<char>(buffer[i]);
        return result;
    }

    FakeMeasurer<CharT> measurer{10};
    int32_t width = 0;
    int32_t height = 0;
};

using CharTypes = ::testing::Types<char, char16_t>;
TYPED_TEST_SUITE(CalloutTextTest, CharTypes);

} // namespace

TYPED_TEST(CalloutTextTest, ThreeShortWordsGoOneALineAgainstEightyPixels)
{
    // At the second blank "abcd efgh" is 90 wide; at the end the widest line,
    // "efgh ijkl", is 90 wide too.
    EXPECT_EQ(this->wrap("abcd efgh ijkl", 80), "abcd|efgh|ijkl");
    EXPECT_EQ(this->width, 40);
    EXPECT_EQ(this->height, 30);

    EXPECT_EQ(this->wrap("abcd efg ijkl", 80), "abcd efg|ijkl");
    EXPECT_EQ(this->width, 80);
    EXPECT_EQ(this->height, 20);
}

TYPED_TEST(CalloutTextTest, ALongFirstWordStaysWholeAndEveryLaterBlankBreaks)
{
    EXPECT_EQ(this->wrap("abcdefghij kl", 80), "abcdefghij|kl");
    EXPECT_EQ(this->width, 100);
    EXPECT_EQ(this->height, 20);

    // Once a line is too wide, every later blank becomes a line break.
    EXPECT_EQ(this->wrap("abcdefghij a b cd", 80), "abcdefghij|a|b|cd");
    // A leading blank is a blank like any other.
    EXPECT_EQ(this->wrap(" abcdefghij", 80), "|abcdefghij");
}

TYPED_TEST(CalloutTextTest, ATextWithoutBlanksIsNeverBroken)
{
    EXPECT_EQ(this->wrap("abcdefghijklmnopqrstuvwxyz", 80), "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(this->width, 260);
    EXPECT_EQ(this->height, 10);
    EXPECT_EQ(this->wrap("", 80), "");
    EXPECT_EQ(this->width, 0);
}

TYPED_TEST(CalloutTextTest, RandomTextsOnlyLoseBlanksAndEveryLineWithABlankFits)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 120);
        for (int i = 0; i < length; ++i)
            text += random() % 5 == 0 ? ' ' : static_cast<char>('a' + random() % 26);
        const int32_t maxWidth = 30 + static_cast<int32_t>(random() % 200);
        const std::string wrapped = this->wrap(text.c_str(), maxWidth);
        SCOPED_TRACE(text + " -> " + wrapped);

        ASSERT_EQ(wrapped.size(), text.size());
        int32_t widest = 0;
        size_t start = 0;
        int lines = 1;
        for (size_t i = 0; i <= wrapped.size(); ++i) {
            if (i < wrapped.size() && wrapped[i] != '|') {
                EXPECT_EQ(wrapped[i], text[i]);
                continue;
            }
            if (i < wrapped.size()) {
                EXPECT_EQ(text[i], ' ');
                ++lines;
            }
            const std::string line = wrapped.substr(start, i - start);
            const int32_t lineWidth = 10 * static_cast<int32_t>(line.size());
            // The text's own last blank is never measured before the end, so
            // it can neither break nor be broken.
            const bool endsText = i == wrapped.size() && !line.empty() && line.back() == ' ';
            if (line.substr(0, line.size() - (endsText ? 1 : 0)).find(' ') != std::string::npos) {
                EXPECT_LE(lineWidth - (endsText ? 10 : 0), maxWidth) << line;
            }
            widest = lineWidth > widest ? lineWidth : widest;
            start = i + 1;
        }
        EXPECT_EQ(this->width, widest);
        EXPECT_EQ(this->height, 10 * lines);
    }
}

TYPED_TEST(CalloutTextTest, BreaksAndSizeMatchMeasuringTheWholeTextEachTime)
{
    std::mt19937 random(99);
    FakeMeasurer<TypeParam> measurer{0};
    for (int round = 0; round < 2000; ++round) {
        std::vector<TypeParam> text;
        const int length = static_cast<int>(random() % 300);
        for (int i = 0; i < length; ++i) {
            const uint32_t r = random() % 40;
            // Blanks, runs of them, and line breaks of the text's own.
            text.push_back(static_cast<TypeParam>(r < 7 ? 0x20 : r == 7 ? 0x0A : 'a' + r % 26));
        }
        text.push_back(0);
        const int32_t maxWidth = static_cast<int32_t>(random() % 500);
        bool broken = false;
        ASSERT_TRUE(wrapsLikeWholePrefix(text, maxWidth, measurer, broken)) << "round " << round;
    }
}

TYPED_TEST(CalloutTextTest, ALongTextIsMeasuredLineByLine)
{
    // 10,000 characters of words of 2 to 9 letters against 400 pixels: the
    // whole text before each blank would be about 7.7 million characters.
    std::mt19937 random(1);
    std::vector<TypeParam> text;
    while (text.size() < 10000) {
        const int letters = 2 + static_cast<int>(random() % 8);
        for (int i = 0; i < letters; ++i)
            text.push_back(static_cast<TypeParam>('a' + random() % 26));
        text.push_back(0x20);
    }
    text.resize(10000);
    text.push_back(0);
    FakeMeasurer<TypeParam> measurer{0};
    int32_t w = 0;
    int32_t h = 0;
    wrapText(text.data(), 400, measurer, w, h);
    EXPECT_LE(w, 400);
    EXPECT_LT(measurer.measured, 30u * 10000u);
}
