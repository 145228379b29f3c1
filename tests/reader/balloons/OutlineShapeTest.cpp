#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "reader/balloons/OutlineShape.h"

namespace {

void setRects(TextRegion& region, const std::vector<Rect>& rects)
{
    region.setSize(static_cast<uint32_t>(rects.size()));
    for (uint32_t i = 0; i < rects.size(); ++i)
        region.at(i) = rects[i];
}

void expectPoints(const PointArray& points, const std::vector<std::pair<int32_t, int32_t>>& expected)
{
    ASSERT_EQ(points.count(), expected.size());
    for (uint32_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(points.at(i).x, expected[i].first) << "point " << i;
        EXPECT_EQ(points.at(i).y, expected[i].second) << "point " << i;
    }
}

void expectPoint(const Point& p, int32_t x, int32_t y)
{
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

// An octagon whose anchors depend only on the x of points 0, 1, 4 and 5 and
// the y of points 0, 3, 4 and 7.
void setOctagon(PointArray& points, int32_t a, int32_t b, int32_t c, int32_t d)
{
    points.setSize(8);
    points.at(0) = Point(a, 0);
    points.at(1) = Point(b, 0);
    points.at(2) = Point(b, 33);
    points.at(3) = Point(d, 33);
    points.at(4) = Point(d, 50);
    points.at(5) = Point(c, 50);
    points.at(6) = Point(c, 17);
    points.at(7) = Point(a, 17);
}

} // namespace

TEST(OutlineShapeTest, OneRectangleGivesFourPointsAndAnchorsInTheMiddle)
{
    TextRegion region;
    setRects(region, {Rect(100, 200, 50, 20)});
    PointArray points;
    ASSERT_TRUE(OutlineShape::outlineRegion(region, points));
    expectPoints(points, {{97, 199}, {151, 199}, {151, 220}, {97, 220}});

    Point upper;
    Point lower;
    OutlineShape::getAnchors(points, upper, lower);
    expectPoint(upper, 124, 199);
    expectPoint(lower, 124, 220);

    // An inverted rectangle: (92 - 97) / 2 is -2, not -3.
    setRects(region, {Rect(100, 200, -9, 20)});
    OutlineShape::outlineRegion(region, points);
    OutlineShape::getAnchors(points, upper, lower);
    expectPoint(upper, 95, 199);
}

TEST(OutlineShapeTest, TwoRectanglesStepAThirdOfTheGapInside)
{
    TextRegion region;
    setRects(region, {Rect(300, 100, 200, 20), Rect(40, 130, 100, 20)});
    PointArray points;
    ASSERT_TRUE(OutlineShape::outlineRegion(region, points));
    expectPoints(points, {{297, 99}, {502, 99}, {502, 127}, {142, 127}, {142, 150}, {37, 150}, {37, 123}, {297, 123}});

    // W 465: the top edge (205) is neither under a quarter (116) nor over half
    // (232); the bottom edge (105) is under a quarter.
    Point upper;
    Point lower;
    OutlineShape::getAnchors(points, upper, lower);
    expectPoint(upper, 297, 99);
    expectPoint(lower, 322, 127);

    // A gap of 2 has no third: the steps lie on the second line's top and the
    // first line's bottom.
    setRects(region, {Rect(300, 100, 200, 20), Rect(40, 122, 100, 20)});
    OutlineShape::outlineRegion(region, points);
    expectPoints(points, {{297, 99}, {502, 99}, {502, 122}, {142, 122}, {142, 142}, {37, 142}, {37, 120}, {297, 120}});

    // Lines overlapping by 4: -4 / 3 is -1.
    setRects(region, {Rect(300, 100, 200, 20), Rect(40, 116, 100, 20)});
    OutlineShape::outlineRegion(region, points);
    expectPoints(points, {{297, 99}, {502, 99}, {502, 117}, {142, 117}, {142, 136}, {37, 136}, {37, 119}, {297, 119}});
}

TEST(OutlineShapeTest, ThreeRectanglesFollowSharedEdgesExactly)
{
    TextRegion region;
    PointArray points;
    // The middle block shares its right edge with the first line and its left
    // edge with the last.
    setRects(region, {Rect(100, 100, 100, 20), Rect(10, 130, 190, 50), Rect(10, 190, 60, 20)});
    ASSERT_TRUE(OutlineShape::outlineRegion(region, points));
    expectPoints(points, {{97, 99}, {202, 99}, {202, 180}, {72, 190}, {72, 210}, {7, 210}, {7, 129}, {97, 119}});

    // Neither edge shared.
    setRects(region, {Rect(100, 100, 100, 20), Rect(10, 130, 150, 50), Rect(20, 190, 60, 20)});
    OutlineShape::outlineRegion(region, points);
    expectPoints(points, {{97, 99}, {202, 99}, {202, 120}, {162, 130}, {82, 210}, {17, 210}, {17, 189}, {7, 179}});
}

TEST(OutlineShapeTest, OtherRectangleCountsChangeNothing)
{
    TextRegion region;
    setRects(region, {Rect(100, 200, 50, 20)});
    PointArray points;
    OutlineShape::outlineRegion(region, points);

    TextRegion empty;
    EXPECT_FALSE(OutlineShape::outlineRegion(empty, points));
    TextRegion four;
    setRects(four, {Rect(0, 0, 1, 1), Rect(0, 0, 1, 1), Rect(0, 0, 1, 1), Rect(0, 0, 1, 1)});
    EXPECT_FALSE(OutlineShape::outlineRegion(four, points));
    expectPoints(points, {{97, 199}, {151, 199}, {151, 220}, {97, 220}});
}

TEST(OutlineShapeTest, OctagonAnchorsCompareStrictlyWithAQuarterAndAHalf)
{
    // W = 400 - 0: quarter 100, half 200.
    PointArray points;
    Point upper;
    Point lower;
    const struct {
        int32_t a;
        int32_t d;
        Point upper;
        Point lower;
    } cases[] = {
        {300, 100, Point(300, 0), Point(100, 50)},  // both edges exactly a quarter: their ends
        {200, 200, Point(200, 0), Point(200, 50)},  // exactly half: their ends
        {301, 99, Point(150, 17), Point(249, 33)},  // under a quarter: on the jutting parts
        {199, 201, Point(299, 0), Point(100, 50)},  // over half: the middle of the edge
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a);
        setOctagon(points, c.a, 400, 0, c.d);
        OutlineShape::getAnchors(points, upper, lower);
        expectPoint(upper, c.upper.x, c.upper.y);
        expectPoint(lower, c.lower.x, c.lower.y);
    }

    // Negative halves truncate toward zero: W = -10 gives quarter -2 and half
    // -5; both edges (-3 and -5) are under a quarter; -7 / 2 is -3, -5 / 2 is -2.
    setOctagon(points, 3, 0, 10, 5);
    OutlineShape::getAnchors(points, upper, lower);
    expectPoint(upper, 7, 17);
    expectPoint(lower, 3, 33);
}

TEST(OutlineShapeTest, AnchorsOfOtherPointCountsStayAsTheCallerSetThem)
{
    PointArray points;
    for (uint32_t n : {0u, 5u}) {
        if (n > 0)
            points.setSize(n);
        Point upper(11, 12);
        Point lower(13, 14);
        OutlineShape::getAnchors(points, upper, lower);
        expectPoint(upper, 11, 12);
        expectPoint(lower, 13, 14);
    }
}

TEST(OutlineShapeTest, PolygonEdgesCloseTheChainAndAnEmptyPolygonHasNone)
{
    PointArray points;
    Point from(1, 1);
    Point to(2, 2);
    EXPECT_FALSE(OutlineShape::polygonEdge(points, 0, from, to));
    EXPECT_FALSE(OutlineShape::polygonEdge(points, 0xFFFFFFFFu, from, to));
    expectPoint(from, 1, 1);

    points.setSize(1);
    points.at(0) = Point(5, 6);
    ASSERT_TRUE(OutlineShape::polygonEdge(points, 0, from, to));
    expectPoint(from, 5, 6);
    expectPoint(to, 5, 6);
    EXPECT_FALSE(OutlineShape::polygonEdge(points, 1, from, to));

    points.setSize(4);
    for (uint32_t i = 0; i < 4; ++i)
        points.at(i) = Point(static_cast<int32_t>(i), 10);
    uint32_t edges = 0;
    while (OutlineShape::polygonEdge(points, edges, from, to))
        ++edges;
    EXPECT_EQ(edges, 4u);
    OutlineShape::polygonEdge(points, 3, from, to);
    expectPoint(from, 3, 10);
    expectPoint(to, 0, 10);
}
