#include <gtest/gtest.h>

#include <climits>

#include "reader/window/ScrollMath.h"

TEST(ScrollMathTest, ScrollingStaysBetweenZeroAndTheMaximum)
{
    EXPECT_EQ(offsetAfterScrollUp(7, 20), 0);
    EXPECT_EQ(offsetAfterScrollUp(300, 20), 280);
    EXPECT_EQ(offsetAfterScrollUp(300, 0), 300);
    EXPECT_EQ(offsetAfterScrollUp(INT32_MIN + 5, INT32_MIN), 5) << "no overflow";

    EXPECT_EQ(offsetAfterScrollDown(880, 300, 900), 900) << "past the maximum";
    EXPECT_EQ(offsetAfterScrollDown(0, 300, 0), 0) << "before the book is laid out";
    EXPECT_EQ(offsetAfterScrollDown(0, 0, 900), 0);
    // Saved offsets read back at start.
    EXPECT_EQ(offsetAfterScrollDown(0, -480, 900), 0);
    EXPECT_EQ(offsetAfterScrollDown(0, INT32_MAX, 900), 900);
    EXPECT_EQ(offsetAfterScrollDown(INT32_MAX - 1, INT32_MAX, INT32_MAX), INT32_MAX);
    EXPECT_EQ(offsetAfterScrollDown(0, 480, 900), 480);
}

TEST(ScrollMathTest, ScrollBarCountsInCoarseUnits)
{
    // Client 300, document 900: range 0..300, page 100, unit 3; offset 450 is position 150.
    uint32_t page = 0;
    ASSERT_TRUE(scrollBarPage(900, 300, page));
    EXPECT_EQ(page, 100u);
    const int32_t unit = pixelsPerScrollUnit(900, 300);
    EXPECT_EQ(unit, 3);
    EXPECT_EQ(450 / unit, 150);

    page = 7;
    EXPECT_FALSE(scrollBarPage(900, 0, page)) << "a minimised window leaves the bar";
    EXPECT_FALSE(scrollBarPage(300, 300, page)) << "the document fits";
    EXPECT_FALSE(scrollBarPage(900, -5, page));
    EXPECT_EQ(page, 7u);
    EXPECT_EQ(pixelsPerScrollUnit(900, 0), 901);
    EXPECT_EQ(pixelsPerScrollUnit(900, -1), 901);
    EXPECT_EQ(pixelsPerScrollUnit(900, INT32_MAX), 1);
    ASSERT_TRUE(scrollBarPage(162000, 730, page));
    EXPECT_EQ(page, 730u / 221u);
}

TEST(ScrollMathTest, ThumbMovesByWholeUnits)
{
    ThumbMove move = thumbMove(167, 10, 12);
    EXPECT_TRUE(move.down);
    EXPECT_EQ(move.pixels, 334);
    move = thumbMove(167, 12, 10);
    EXPECT_FALSE(move.down);
    EXPECT_EQ(move.pixels, 334);
    move = thumbMove(167, 12, 12);
    EXPECT_FALSE(move.down) << "no move scrolls up by 0";
    EXPECT_EQ(move.pixels, 0);
    move = thumbMove(100000, 0, 32767);
    EXPECT_EQ(move.pixels, INT32_MAX) << "the product is held within 32 bits";
    move = thumbMove(3, 0, -32768);
    EXPECT_FALSE(move.down);
    EXPECT_EQ(move.pixels, 98304);
}

TEST(ScrollMathTest, ThumbDraggedToAnEndShowsThatEndOfThePage)
{
    // Client height 900; at the end offset / unit lies past the last position.
    for (int32_t document : {20000, 400000}) {
        SCOPED_TRACE(document);
        uint32_t page = 0;
        ASSERT_TRUE(scrollBarPage(document, 900, page));
        const ThumbRange range = thumbRange(0, 900, page);
        const int32_t unit = pixelsPerScrollUnit(document, 900);
        const int32_t end = document - 20;
        const int32_t atEnd = positionInRange(range, end / unit);
        ASSERT_LT(range.last, end / unit);

        ThumbMove move = thumbDrag(unit, range, atEnd, range.first, end, end);
        EXPECT_FALSE(move.down);
        EXPECT_EQ(move.pixels, end) << "to the top";
        move = thumbDrag(unit, range, range.first, range.last, 0, end);
        EXPECT_TRUE(move.down);
        EXPECT_EQ(move.pixels, end) << "to the end";
        move = thumbDrag(unit, range, atEnd, atEnd - 1, end, end);
        EXPECT_FALSE(move.down);
        EXPECT_EQ(move.pixels, unit) << "one position, one unit";
        move = thumbDrag(unit, range, range.first, range.first, 5, end);
        EXPECT_EQ(move.pixels, 0) << "a thumb that did not move moves nothing";
    }
}
