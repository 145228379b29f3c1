#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <vector>

#include "core/PlatformChar.h"
#include "reader/balloons/CalloutText.h"
#include "reader/balloons/DrawTextMeasurer.h"
#include "tests/reader/support/WrapTestSupport.h"

namespace {

// A memory device context with a font like the balloons'.
class BalloonFontDc {
public:
    BalloonFontDc() : m_dc(CreateCompatibleDC(nullptr))
    {
        m_font = CreateFont(16, 0, 0, 0, 300, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN | DEFAULT_PITCH, TEXT("Tahoma"));
        m_old_font = SelectObject(m_dc, m_font);
    }
    ~BalloonFontDc()
    {
        SelectObject(m_dc, m_old_font);
        DeleteObject(m_font);
        DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_old_font;
};

} // namespace

TEST(CalloutTextDrawTextTest, MeasuringLineByLineGivesTheSameBreaksAsTheWholeText)
{
    std::mt19937 random(5);
    BalloonFontDc fontDc;
    DrawTextMeasurer measurer(fontDc.dc());
    int wrapped = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<PlatformChar> text;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) {
            const uint32_t r = random() % 60;
            unsigned code = 'a' + r % 26;
            if (r < 9)
                code = ' ';
            else if (r == 9)
                code = '\n';
            else if (r == 10)
                code = '&';
            else if (r < 14)
                code = 'A' + r;
            else if (r < 17)
                code = sizeof(PlatformChar) == 1 ? 0xE9 : 0x0430 + r; // é, or Cyrillic letters
            text.push_back(static_cast<PlatformChar>(code));
        }
        text.push_back(0);
        const int32_t maxWidth = 40 + static_cast<int32_t>(random() % 400);
        bool broken = false;
        ASSERT_TRUE(wrapsLikeWholePrefix(text, maxWidth, measurer, broken)) << "round " << round;
        wrapped += broken ? 1 : 0;
    }
    EXPECT_GT(wrapped, 150); // most texts were broken somewhere
}
