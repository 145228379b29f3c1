#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "reader/balloons/CalloutShape.h"

namespace {

void expectPoints(const CalloutShape& shape, const std::vector<std::pair<int32_t, int32_t>>& expected)
{
    for (uint32_t i = 0; i < CalloutShape::PointCount; ++i) {
        EXPECT_EQ(shape.point(i).x, expected[i].first) << "point " << i;
        EXPECT_EQ(shape.point(i).y, expected[i].second) << "point " << i;
    }
}

void expectTextRect(const CalloutShape& shape, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    EXPECT_EQ(shape.textRect().left(), left);
    EXPECT_EQ(shape.textRect().top(), top);
    EXPECT_EQ(shape.textRect().right(), right);
    EXPECT_EQ(shape.textRect().bottom(), bottom);
}

struct Placed {
    Point tip;
    int32_t dx = 0;
    int32_t dy = 0;
};

Placed place(int32_t cw, int32_t ch, int32_t scroll, Point upper, Point lower)
{
    Placed p;
    CalloutShape::placement(cw, ch, scroll, upper, lower, p.tip, p.dx, p.dy);
    return p;
}

// Every point but the tip, and the text, inside x 0 to cw - 1.
void expectInsideSideways(const CalloutShape& shape, int32_t cw)
{
    for (uint32_t i = 1; i < CalloutShape::PointCount; ++i) {
        EXPECT_GE(shape.point(i).x, 0) << "point " << i;
        EXPECT_LE(shape.point(i).x, cw - 1) << "point " << i;
    }
    EXPECT_GE(shape.textRect().left(), 0);
    EXPECT_LE(shape.textRect().right(), cw - 1);
}

} // namespace

TEST(CalloutShapeTest, ABalloonInTheLowerHalfStandsAboveItsSentence)
{
    // Client 800 by 600 scrolled to 1000: the sentence's top at 400 > 300.
    const Placed p = place(800, 600, 1000, Point(120, 1400), Point(120, 1420));
    EXPECT_EQ(p.tip.x, 120);
    EXPECT_EQ(p.tip.y, 400);
    EXPECT_EQ(p.dx, 70);
    EXPECT_EQ(p.dy, -50);

    const std::vector<std::pair<int32_t, int32_t>> points = {{120, 400}, {196, 350}, {246, 350}, {246, 304},
                                                             {134, 304}, {134, 350}, {184, 350}};
    CalloutShape shape;
    shape.buildOutline(p.tip, p.dx, p.dy, 100, 40);
    expectPoints(shape, points);
    expectTextRect(shape, 137, 307, 243, 347);

    // Inside the client area, the kept balloon is the same.
    CalloutShape kept;
    kept.layout(800, 600, 1000, Point(120, 1400), Point(120, 1420), 100, 40);
    expectPoints(kept, points);
    expectTextRect(kept, 137, 307, 243, 347);
}

TEST(CalloutShapeTest, HalfTheClientHeightStandsBelowAndHalfTheWidthLeansRight)
{
    Placed p = place(800, 600, 0, Point(100, 300), Point(90, 330));
    EXPECT_EQ(p.dy, 50);
    EXPECT_EQ(p.tip.x, 90);
    EXPECT_EQ(p.tip.y, 330);
    p = place(800, 600, 0, Point(100, 301), Point(90, 330));
    EXPECT_EQ(p.dy, -50);
    EXPECT_EQ(p.tip.x, 100);
    EXPECT_EQ(p.tip.y, 301);

    EXPECT_EQ(place(800, 600, 0, Point(400, 10), Point(400, 30)).dx, 70);
    EXPECT_EQ(place(800, 600, 0, Point(401, 10), Point(401, 30)).dx, -70);
    // Odd sizes halve toward zero.
    EXPECT_EQ(place(801, 601, 0, Point(400, 300), Point(400, 320)).dx, 70);
    EXPECT_EQ(place(801, 601, 0, Point(401, 301), Point(401, 320)).dy, -50);

    // Below: the text starts 3 pixels under the near edge and is as high as measured.
    CalloutShape shape;
    shape.buildOutline(Point(90, 330), 70, 50, 101, 40);
    expectPoints(shape, {{90, 330}, {166, 380}, {216, 380}, {216, 426}, {104, 426}, {104, 380}, {154, 380}});
    expectTextRect(shape, 107, 383, 213, 423);
}

TEST(CalloutShapeTest, ScrollingMovesTheBalloonWithItsSentenceAndMayTurnItBelow)
{
    const Point upper(120, 1400);
    const Point lower(120, 1420);
    CalloutShape before;
    before.layout(800, 600, 1000, upper, lower, 100, 40);
    CalloutShape after;
    after.layout(800, 600, 1020, upper, lower, 100, 40);
    for (uint32_t i = 0; i < CalloutShape::PointCount; ++i) {
        EXPECT_EQ(after.point(i).x, before.point(i).x);
        EXPECT_EQ(after.point(i).y, before.point(i).y - 20);
    }
    EXPECT_EQ(after.textRect().top(), before.textRect().top() - 20);

    // The sentence's top at 299: the balloon now hangs from the lower anchor.
    after.layout(800, 600, 1101, upper, lower, 100, 40);
    EXPECT_EQ(after.point(0).y, 319);
    EXPECT_EQ(after.point(1).y, 369);
    EXPECT_EQ(after.textRect().top(), 372);
}

TEST(CalloutShapeTest, ABalloonAtTheSideSlidesIntoTheClientAreaAndTheTipStays)
{
    // At x 10 a 400-pixel text would start at -126.
    CalloutShape shape;
    shape.layout(800, 600, 0, Point(10, 100), Point(10, 120), 400, 40);
    expectInsideSideways(shape, 800);
    EXPECT_EQ(shape.boxLeft(), 0);
    EXPECT_EQ(shape.boxRight(), 412);
    expectTextRect(shape, 3, 173, 409, 213);
    EXPECT_EQ(shape.point(0).x, 10);
    EXPECT_EQ(shape.point(0).y, 120);
    EXPECT_EQ(shape.point(6).x, 200);

    // At x 790 it would end at 926.
    shape.layout(800, 600, 0, Point(790, 100), Point(790, 120), 400, 40);
    expectInsideSideways(shape, 800);
    EXPECT_EQ(shape.boxRight(), 799);
    EXPECT_EQ(shape.boxLeft(), 387);
    EXPECT_EQ(shape.textRect().right() - shape.textRect().left(), 406);
    EXPECT_EQ(shape.point(0).x, 790);

    // Wider than the client area: the left edge at 0, from either side.
    for (int32_t x : {10, 790}) {
        shape.layout(800, 600, 0, Point(x, 100), Point(x, 120), 1000, 40);
        EXPECT_EQ(shape.boxLeft(), 0);
        EXPECT_EQ(shape.boxRight(), 1012);
        EXPECT_EQ(shape.point(0).x, x);
    }
}

TEST(CalloutShapeTest, ABalloonTurnsToTheOtherSideOnlyWhereItFitsThere)
{
    // Below the tall sentence it would cross the bottom edge (606); above it
    // fits, leaning to the other side of the upper anchor.
    CalloutShape shape;
    shape.layout(800, 600, 0, Point(500, 250), Point(300, 450), 100, 100);
    EXPECT_EQ(shape.point(0).x, 500);
    EXPECT_EQ(shape.point(0).y, 250);
    EXPECT_EQ(shape.boxTop(), 94);
    EXPECT_EQ(shape.boxBottom(), 200);
    EXPECT_EQ(shape.point(1).x, 500 - 70 + 6);

    // Too tall for either side: it keeps the side it was given.
    shape.layout(800, 600, 0, Point(100, 320), Point(100, 340), 100, 300);
    EXPECT_EQ(shape.point(0).y, 320);
    EXPECT_EQ(shape.boxTop(), -36);
    EXPECT_EQ(shape.boxBottom(), 270);

    // Exactly touching the bottom row fits and stays below: 450 + 50 + 93 + 6 = 599.
    shape.layout(800, 600, 0, Point(500, 250), Point(300, 450), 100, 93);
    EXPECT_EQ(shape.point(0).y, 450);
    EXPECT_EQ(shape.boxBottom(), 599);
}

TEST(CalloutShapeTest, OnlyHebrewAndArabicSecondCharactersAlignRight)
{
    EXPECT_TRUE(isRightAlignedText(u"a\u05B1"));
    EXPECT_TRUE(isRightAlignedText(u"a\u06FC b"));
    EXPECT_TRUE(isRightAlignedText(u"\u05D0\u05D0"));
    EXPECT_FALSE(isRightAlignedText(u"a\u05B0"));
    EXPECT_FALSE(isRightAlignedText(u"a\u06FD"));
    EXPECT_FALSE(isRightAlignedText(u"\u05D0"));  // one character: its terminator is second
    EXPECT_FALSE(isRightAlignedText(u"\u05D0 ")); // first Hebrew, second a blank
    EXPECT_FALSE(isRightAlignedText(u""));
    EXPECT_FALSE(isRightAlignedText(static_cast<const char16_t*>(nullptr)));
    EXPECT_FALSE(isRightAlignedText("a\xB1"));

    // An empty text's second character is not read.
    const char16_t empty[1] = {0};
    EXPECT_FALSE(isRightAlignedText(empty));
}
