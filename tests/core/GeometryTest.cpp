#include <gtest/gtest.h>

#include "core/Geometry.h"
#include "core/RgbColor.h"

namespace {

Rect makeRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    Rect r;
    r.moveTo(x, y);
    r.setWidth(w);
    r.setHeight(h);
    return r;
}

} // namespace

TEST(GeometryTest, ContainmentIncludesAllFourEdges)
{
    const Rect r = makeRect(10, 20, 30, 40);
    EXPECT_TRUE(r.contains(Point(10, 20)));
    EXPECT_TRUE(r.contains(Point(40, 20)));
    EXPECT_TRUE(r.contains(Point(10, 60)));
    EXPECT_TRUE(r.contains(Point(40, 60)));
    EXPECT_FALSE(r.contains(Point(9, 30)));
    EXPECT_FALSE(r.contains(Point(41, 30)));
    EXPECT_FALSE(r.contains(Point(20, 19)));
    EXPECT_FALSE(r.contains(Point(20, 61)));

    const Rect dot = makeRect(5, 6, 0, 0);
    EXPECT_TRUE(dot.contains(Point(5, 6)));
    EXPECT_FALSE(dot.contains(Point(5, 7)));
    EXPECT_FALSE(dot.contains(Point(6, 6)));

    const Rect inverted = makeRect(5, 6, -3, 4);
    EXPECT_FALSE(inverted.contains(Point(5, 6)));
    EXPECT_FALSE(inverted.contains(Point(3, 7)));
    EXPECT_FALSE(makeRect(5, 6, 3, -1).contains(Point(5, 6)));
}

TEST(GeometryTest, EdgesAndCornersFollowTheOriginAndSize)
{
    Rect r = makeRect(0, 100, 10, 20);
    r.growUp(5);
    EXPECT_EQ(r.top(), 95);
    EXPECT_EQ(r.height(), 25);
    EXPECT_EQ(r.bottom(), 120);

    r.widen(7);
    EXPECT_EQ(r.right(), 17);
    EXPECT_EQ(r.topRight().x, 17);
    EXPECT_EQ(r.bottomLeft().y, 120);

    r.setTopLeft(Point(3, 4));
    EXPECT_EQ(r.bottomRight().x, 20);
    EXPECT_EQ(r.bottomRight().y, 29);

    // Nothing swaps the edges: a corner left of or above the origin gives a
    // negative size.
    r.setBottomRight(Point(1, 2));
    EXPECT_EQ(r.width(), -2);
    EXPECT_EQ(r.height(), -2);
    EXPECT_EQ(r.left(), 3);
}

TEST(GeometryTest, ConversionsToAndFromThePlatformRectangle)
{
    RECT in = {5, 6, 15, 26};
    Rect r;
    rectFromRECT(in, r);
    EXPECT_EQ(r.left(), 5);
    EXPECT_EQ(r.top(), 6);
    EXPECT_EQ(r.width(), 10);
    EXPECT_EQ(r.height(), 20);

    RECT out = {0, 0, 0, 0};
    rectToRECT(r, out);
    EXPECT_EQ(out.left, 5);
    EXPECT_EQ(out.top, 6);
    EXPECT_EQ(out.right, 15);
    EXPECT_EQ(out.bottom, 26);

    RECT line = {0, 500, 10, 520};
    RECT& shifted = shiftRECTUp(line, 480);
    EXPECT_EQ(&shifted, &line);
    EXPECT_EQ(line.top, 20);
    EXPECT_EQ(line.bottom, 40);
    EXPECT_EQ(line.left, 0);
    EXPECT_EQ(line.right, 10);
}

TEST(GeometryTest, ColoursTakeOnlyTheLowByteOfEachMember)
{
    EXPECT_EQ(RgbColor(0, 159, 0).colorRef(), 159u << 8);
    EXPECT_EQ(RgbColor(0, 0, 223).colorRef(), 223u << 16);
    EXPECT_EQ(RgbColor(256, 0, 0).colorRef(), 0u);
    EXPECT_EQ(RgbColor(0x1FF, -1, 0x102).colorRef(), 0xFFu | (0xFFu << 8) | (0x02u << 16));
    EXPECT_EQ(RgbColor().colorRef(), 0u);
#ifdef _WIN32
    EXPECT_EQ(RgbColor(1, 2, 3).colorRef(), static_cast<uint32_t>(RGB(1, 2, 3)));
#endif
}
