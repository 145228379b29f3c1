#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "reader/page/TextRegion.h"

namespace {

// Lines of cells 10 pixels wide and 20 high, 30 apart from y 100; each line
// starts at its own x and ends with its closing blank. Answers each line's
// first cell.
std::vector<uint32_t> makeLines(CellArray& cells, const std::vector<std::pair<int32_t, uint32_t>>& lines)
{
    uint32_t total = 0;
    for (const auto& line : lines)
        total += line.second;
    cells.setSize(total);
    std::vector<uint32_t> starts;
    uint32_t i = 0;
    for (size_t l = 0; l < lines.size(); ++l) {
        starts.push_back(i);
        for (uint32_t k = 0; k < lines[l].second; ++k, ++i) {
            const Rect box(lines[l].first + 10 * static_cast<int32_t>(k), 100 + 30 * static_cast<int32_t>(l), 10, 20);
            const bool closing = k + 1 == lines[l].second;
            cells.at(i) = TextCell(closing ? ' ' : 'x', box, closing ? 0 : 1);
        }
    }
    return starts;
}

// Lines spanned by the cells first to last, as the text layer counts them.
uint32_t lineCount(const CellArray& cells, uint32_t first, uint32_t last)
{
    uint32_t n = 1;
    for (uint32_t i = first; i <= last && i < cells.count(); ++i) {
        if (i > first && cells.at(i).top() > cells.at(i - 1).top())
            ++n;
    }
    return n;
}

void expectRect(const Rect& r, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    EXPECT_EQ(r.left(), left);
    EXPECT_EQ(r.top(), top);
    EXPECT_EQ(r.right(), right);
    EXPECT_EQ(r.bottom(), bottom);
}

void expectSameRects(const TextRegion& region, const std::vector<Rect>& expected)
{
    ASSERT_EQ(region.count(), expected.size());
    for (uint32_t i = 0; i < region.count(); ++i)
        expectRect(region.at(i), expected[i].left(), expected[i].top(), expected[i].right(), expected[i].bottom());
}

// The walks to the second line and back from the last one exactly as
// described for the cells, without a stop at the array's end: the reference
// for ranges that reach past it.
void referenceRects(uint32_t n, const CellArray& cells, uint32_t c, uint32_t d, std::vector<Rect>& rects)
{
    const uint32_t m = n <= 1 ? 1 : n == 2 ? (cells.at(c).left() <= cells.at(d).right() ? 3 : 2) : 3;
    rects.assign(m, Rect());
    uint32_t h = c;
    while (cells.at(h).top() <= cells.at(c).top() && h < d)
        ++h;
    rects[0].setTopLeft(cells.at(c).box().topLeft());
    rects[0].setBottomRight(cells.at(m == 1 ? h : h - 2).box().bottomRight());
    if (m == 1)
        return;
    uint32_t o = d;
    while (cells.at(o).bottom() >= cells.at(d).bottom() && o > c)
        --o;
    rects[m - 1].setTopLeft(cells.at(o + 1).box().topLeft());
    rects[m - 1].setBottomRight(cells.at(d).box().bottomRight());
    if (m == 3 && n == 2) {
        rects[1].setTopLeft(rects[0].bottomLeft());
        rects[1].setBottomRight(rects[2].topRight());
    } else if (m == 3) {
        rects[1].setTopLeft(cells.at(h).box().topLeft());
        rects[1].setBottomRight(cells.at(o - 1).box().bottomRight());
        rects[0].setBottomRight(rects[1].topRight());
        rects[2].growUp(rects[2].top() - rects[1].bottom());
    }
}

class TextRegionTest : public ::testing::Test {
protected:
    // Five lines of 20, 20, 20, 20 and 10 cells, from x 10 but the first,
    // indented to x 50.
    TextRegionTest() { starts = makeLines(cells, {{50, 20}, {10, 20}, {10, 20}, {10, 20}, {10, 10}}); }

    const TextRegion& build(uint32_t first, uint32_t last)
    {
        regions.setSize(1);
        regions.buildRegionRects(lineCount(cells, first, last), 0, cells, first, last);
        return regions.at(0);
    }

    CellArray cells;
    std::vector<uint32_t> starts;
    RegionList regions;
};

} // namespace

TEST_F(TextRegionTest, ARangeOnOneLineHasOneRectangleFromItsFirstToItsLastCell)
{
    const TextRegion& r = build(3, 7);
    ASSERT_EQ(r.count(), 1u);
    expectRect(r.at(0), 80, 100, 130, 120);
    EXPECT_TRUE(r.contains(Point(80, 100))); // edges belong to the region
    EXPECT_TRUE(r.contains(Point(130, 120)));
    EXPECT_FALSE(r.contains(Point(131, 110)));

    // One cell, and a range that ends on the line's closing blank.
    expectRect(build(5, 5).at(0), 100, 100, 110, 120);
    expectRect(build(0, 19).at(0), 50, 100, 250, 120);
}

TEST_F(TextRegionTest, TwoLinesThatDoNotOverlapGetTwoRectanglesAndNothingBetween)
{
    // From x 160 on the first line to x 50 on the second.
    const TextRegion& r = build(11, starts[1] + 3);
    ASSERT_EQ(r.count(), 2u);
    expectRect(r.at(0), 160, 100, 240, 120); // to the last character, not the closing blank
    expectRect(r.at(1), 10, 130, 50, 150);
    EXPECT_FALSE(r.contains(Point(100, 125))); // the gap between the lines
    EXPECT_FALSE(r.contains(Point(245, 110))); // the closing blank of the first line
    EXPECT_TRUE(r.contains(Point(240, 120)));
}

TEST_F(TextRegionTest, TwoOverlappingLinesAreJoinedAcrossTheGap)
{
    // From x 60 on the first line to x 150 on the second.
    const TextRegion& r = build(1, starts[1] + 13);
    ASSERT_EQ(r.count(), 3u);
    expectRect(r.at(0), 60, 100, 240, 120);
    expectRect(r.at(1), 60, 120, 150, 130);
    expectRect(r.at(2), 10, 130, 150, 150);
    EXPECT_TRUE(r.contains(Point(100, 125)));
    EXPECT_FALSE(r.contains(Point(55, 125)));
}

TEST_F(TextRegionTest, FiveLinesGetThreeTouchingRectangles)
{
    const TextRegion& r = build(11, starts[4] + 4);
    ASSERT_EQ(r.count(), 3u);
    // The first line down to the second line's top, as wide as the middle block.
    expectRect(r.at(0), 160, 100, 200, 130);
    // Lines two to four, from the second line's start to the fourth line's last character.
    expectRect(r.at(1), 10, 130, 200, 210);
    // The last line's part, grown up to the middle block's bottom.
    expectRect(r.at(2), 10, 210, 60, 240);
    EXPECT_TRUE(r.contains(Point(10, 200)));
    EXPECT_TRUE(r.contains(Point(60, 215))); // in the gap above the last line
    EXPECT_FALSE(r.contains(Point(61, 230)));
    EXPECT_FALSE(r.contains(Point(150, 110)));
}

TEST_F(TextRegionTest, SetRegionRangeKeepsTheParagraphRelativeRange)
{
    regions.setSize(3);
    CharRange range;
    range.set(2, 6);
    regions.setRegionRange(cells, static_cast<int32_t>(starts[1]), 1, range, 4, 1, 2);
    const TextRegion& r = regions.at(2);
    EXPECT_EQ(r.groupIndex(), 4);
    EXPECT_EQ(r.itemIndex(), 1);
    EXPECT_EQ(r.firstChar(), 2);
    EXPECT_EQ(r.lastChar(), 6);
    ASSERT_EQ(r.count(), 1u);
    expectRect(r.at(0), 30, 130, 80, 150);
    EXPECT_EQ(regions.at(0).count(), 0u);

    // Out of range: the default region takes it; the list is unchanged.
    regions.setRegionRange(cells, 0, 1, range, 9, 9, 3);
    EXPECT_EQ(regions.at(0).groupIndex(), 0);
    EXPECT_EQ(regions.at(2).groupIndex(), 4);
}

TEST_F(TextRegionTest, TheFirstRegionHoldingThePointWinsAndAMissCountsAllRegions)
{
    regions.setSize(3);
    CharRange whole;
    whole.set(0, 19);
    CharRange part;
    part.set(5, 9);
    regions.setRegionRange(cells, 0, 1, part, 0, 0, 0);
    regions.setRegionRange(cells, 0, 1, whole, 0, 1, 1);
    regions.setRegionRange(cells, static_cast<int32_t>(starts[1]), 1, whole, 1, 0, 2);

    uint32_t index = 99;
    EXPECT_TRUE(regions.findRegionAt(Point(100, 110), index));
    EXPECT_EQ(index, 0u);
    EXPECT_TRUE(regions.findRegionAt(Point(60, 110), index));
    EXPECT_EQ(index, 1u);
    EXPECT_TRUE(regions.findRegionAt(Point(10, 150), index)); // a corner
    EXPECT_EQ(index, 2u);
    EXPECT_FALSE(regions.findRegionAt(Point(100, 400), index)); // below the last line
    EXPECT_EQ(index, 3u);

    RegionList empty;
    EXPECT_FALSE(empty.findRegionAt(Point(100, 110), index));
    EXPECT_EQ(index, 0u);
}

TEST_F(TextRegionTest, RangesPastTheCellsEndAtOnceWithTheResultOfTheFullWalk)
{
    regions.setSize(1);
    const uint32_t count = cells.count();
    // A translation range of 0 to 4,000,000,000 read as 32-bit values.
    CharRange huge;
    huge.set(0, static_cast<int32_t>(4000000000u));
    regions.setRegionRange(cells, 0, lineCount(cells, 0, 4000000000u), huge, 0, 0, 0);
    std::vector<Rect> expected;
    referenceRects(5, cells, 0, count + 5, expected); // every cell past the count is the same
    expectSameRects(regions.at(0), expected);

    // A first cell after the last one ends too.
    regions.buildRegionRects(1, 0, cells, 4000000000u, 3);
    EXPECT_EQ(regions.at(0).count(), 1u);
}

TEST_F(TextRegionTest, TheWalksMatchTheFullWalkForAnyRange)
{
    std::mt19937 random(7);
    const uint32_t count = cells.count();
    regions.setSize(1);
    for (int k = 0; k < 3000; ++k) {
        const uint32_t c = random() % (count + 8);
        const uint32_t d = random() % 2 == 0 ? c + random() % (count + 8) : random() % (count + 8);
        const uint32_t n = 1 + random() % 5;
        regions.buildRegionRects(n, 0, cells, c, d);
        std::vector<Rect> expected;
        referenceRects(n, cells, c, d, expected);
        SCOPED_TRACE(::testing::Message() << c << " to " << d << ", " << n << " lines");
        expectSameRects(regions.at(0), expected);
        if (HasFailure())
            return;
    }
}
