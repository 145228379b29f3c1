#include <gtest/gtest.h>

#include <string>

#include "tools/demo/DemoSentenceMaker.h"

namespace {

bool isLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
           (c >= 0x00C0 && c <= 0x00FF && c != 0x00D7 && c != 0x00F7);
}

bool hasCyrillic(const std::u16string& text)
{
    for (char16_t c : text) {
        if (c >= 0x0400 && c <= 0x04FF)
            return true;
    }
    return false;
}

std::string describe(uint32_t length, bool capital, bool closed, const std::u16string& text)
{
    std::string ascii;
    for (char16_t c : text)
        ascii += c < 0x80 ? static_cast<char>(c) : '?';
    return "length " + std::to_string(length) + (capital ? " capital" : " continuing") +
           (closed ? " closed: " : " open: ") + ascii;
}

} // namespace

// The segment table fixes every sentence's length, from the 4-character
// "Oui." to several sentences in one segment.
TEST(DemoSentenceMakerTest, MakesEveryLengthInEveryShape)
{
    const DemoSentenceMaker maker;
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        DemoRandom random(seed);
        for (uint32_t length = 3; length <= 320; ++length) {
            for (int shape = 0; shape < 4; ++shape) {
                const bool capital = (shape & 1) != 0;
                const bool closed = (shape & 2) != 0;
                DemoSentence s;
                ASSERT_TRUE(maker.makeText(length, capital, closed, random, s))
                    << describe(length, capital, closed, u"");
                const std::u16string& f = s.m_french;
                const std::string what = describe(length, capital, closed, f);
                ASSERT_EQ(f.size(), length) << what;
                // The narrow program shows the low byte of each character.
                for (char16_t c : f)
                    ASSERT_TRUE(c >= 0x20 && c <= 0xFF) << what;
                EXPECT_EQ(f.find(u"  "), std::u16string::npos) << what;
                EXPECT_NE(f.front(), u' ') << what;
                EXPECT_NE(f.back(), u' ') << what;
                if (capital) {
                    EXPECT_EQ(f, capitalised(f)) << what;
                }
                if (closed) {
                    EXPECT_NE(std::u16string(u".!?").find(f.back()), std::u16string::npos) << what;
                } else {
                    EXPECT_TRUE(isLetter(f.back())) << what;
                }
                EXPECT_TRUE(hasCyrillic(s.m_russian)) << what;
                EXPECT_FALSE(hasCyrillic(s.m_english)) << what;
                EXPECT_FALSE(s.m_english.empty()) << what;
            }
        }
    }
}

TEST(DemoSentenceMakerTest, TooShortForAnySentence)
{
    const DemoSentenceMaker maker;
    DemoRandom random(1);
    DemoSentence s;
    EXPECT_FALSE(maker.makeText(0, true, true, random, s));
    EXPECT_FALSE(maker.makeText(1, true, false, random, s));
    EXPECT_FALSE(maker.makeText(2, true, true, random, s)) << "no closed sentence of two characters";
    EXPECT_TRUE(maker.makeText(2, true, false, random, s)) << "\"Ah\", \"Oh\"";
}

TEST(DemoSentenceMakerTest, SameSeedSameText)
{
    const DemoSentenceMaker maker;
    DemoRandom a(77);
    DemoRandom b(77);
    for (uint32_t length = 20; length < 200; length += 7) {
        DemoSentence x;
        DemoSentence y;
        ASSERT_TRUE(maker.makeText(length, true, true, a, x));
        ASSERT_TRUE(maker.makeText(length, true, true, b, y));
        EXPECT_EQ(x.m_french, y.m_french);
        EXPECT_EQ(x.m_russian, y.m_russian);
        EXPECT_EQ(x.m_english, y.m_english);
    }
}

TEST(DemoSentenceMakerTest, CapitalisesLatinAndCyrillic)
{
    EXPECT_EQ(capitalised(u"élan"), u"Élan");
    EXPECT_EQ(capitalised(u"ёлка"), u"Ёлка");
    EXPECT_EQ(capitalised(u"яма"), u"Яма");
    EXPECT_EQ(capitalised(u"« oui"), u"« oui");
    EXPECT_EQ(capitalised(u""), u"");
}
