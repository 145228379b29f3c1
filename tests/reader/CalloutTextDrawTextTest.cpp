#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <vector>

#include "core/PlatformChar.h"
#include "reader/CalloutText.h"
#include "tests/reader/WrapTestSupport.h"

namespace {

// Measures as the balloons do: DrawText's own size of the text, on a memory
// device context with a font like theirs.
class DrawTextMeasurer : public TextMeasurer<PlatformChar> {
public:
    DrawTextMeasurer() : m_dc(CreateCompatibleDC(nullptr)), m_old_font(nullptr)
    {
        m_font = CreateFont(16, 0, 0, 0, 300, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN | DEFAULT_PITCH, TEXT("Tahoma"));
        m_old_font = SelectObject(m_dc, m_font);
    }
    ~DrawTextMeasurer() override
    {
        SelectObject(m_dc, m_old_font);
        DeleteObject(m_font);
        DeleteDC(m_dc);
    }

    void measure(const PlatformChar* text, uint32_t count, int32_t& width, int32_t& height) override
    {
        RECT r = {0, 0, 0, 0};
        DrawText(m_dc, text, static_cast<int>(count), &r, DT_CALCRECT | DT_NOPREFIX);
        width = r.right - r.left;
        height = r.bottom - r.top;
    }

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_old_font;
};

} // namespace

TEST(CalloutTextDrawTextTest, MeasuringLineByLineGivesTheSameBreaksAsTheWholeText)
{
    std::mt19937 random(5);
    DrawTextMeasurer measurer;
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
