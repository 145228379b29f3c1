#include <gtest/gtest.h>

#include <string>

#include "core/TraceLine.h"

namespace {

std::string lineText(const TraceLine& line)
{
    std::string s;
    for (uint32_t i = 0; i < line.length(); ++i)
        s += static_cast<char>(line.text()[i]);
    return s;
}

} // namespace

TEST(TraceLineTest, NumbersAndTextsChain)
{
    TraceLine line;
    line.appendText("Start ").appendUnsigned(0).appendText(" ").appendUnsigned(4294967295u);
    line.appendText(" ").appendInt(-2147483647 - 1).appendText(" ").appendInt(42);
    EXPECT_EQ(lineText(line), "Start 0 4294967295 -2147483648 42");
    line.appendText(nullptr);
    EXPECT_EQ(line.text()[line.length()], 0);
    line.endLine();
    EXPECT_EQ(line.length(), 0u);
    EXPECT_EQ(lineText(line), "");
}

TEST(TraceLineTest, RectanglesAndTimesInTheirTraceForms)
{
    TraceLine line;
    RECT r = {1, 2, 3, 4};
    EXPECT_EQ(&traceRect(line, r), &line);
    EXPECT_EQ(lineText(line), "top - 2 left - 1 bottom - 4 right - 3");

    TraceLine time;
    traceTime(time.appendText("File duration "), TrackTime(0, 3, 38, 20));
    EXPECT_EQ(lineText(time), "File duration 0:3:38:20");
}

TEST(TraceLineTest, NeverWritesPastItsBuffer)
{
    // Run under AddressSanitizer; the sentinel also catches an overrun in the
    // Windows builds, where the object sits inside a larger one.
    struct Guarded {
        TraceLine line;
        char sentinel[64];
    } guarded;
    for (char& c : guarded.sentinel)
        c = 0x5A;

    std::string chunk(300, 'x');
    for (int i = 0; i < 10; ++i)
        guarded.line.appendText(chunk.c_str()).appendInt(-123456789).appendUnsigned(4000000000u);
    EXPECT_EQ(guarded.line.length(), TraceLine::Capacity - 2);
    EXPECT_EQ(guarded.line.text()[guarded.line.length()], 0);
    guarded.line.endLine();
    EXPECT_EQ(guarded.line.length(), 0u);
    for (char c : guarded.sentinel)
        ASSERT_EQ(c, 0x5A);

    // Appends after the line was full and ended start a fresh line.
    guarded.line.appendUnsigned(7);
    EXPECT_EQ(lineText(guarded.line), "7");
}
