// The outline layer drawn into a memory bitmap: its pen, where its dotted
// lines fall at a scroll offset, and what hiding and a shorter outline leave.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DibWindow.h"
#include "reader/balloons/OutlineLayer.h"

namespace {

struct Edge {
    Point from;
    Point to;
};

// The two-line sentence: R0 (300, 100, 200 x 20), R1 (40, 130, 100 x 20).
void setTwoLineRegion(TextRegion& region)
{
    region.setSize(2);
    region.at(0) = Rect(300, 100, 200, 20);
    region.at(1) = Rect(40, 130, 100, 20);
}

std::vector<Edge> edgesOf(const PointArray& points)
{
    std::vector<Edge> edges;
    for (uint32_t i = 0; i < points.count(); ++i)
        edges.push_back(Edge{points.at(i), points.at((i + 1) % points.count())});
    return edges;
}

// Every edge of an outline is horizontal or vertical.
bool onEdge(const Edge& e, int x, int y, int s)
{
    const int x0 = std::min(e.from.x, e.to.x);
    const int x1 = std::max(e.from.x, e.to.x);
    const int y0 = std::min(e.from.y, e.to.y) - s;
    const int y1 = std::max(e.from.y, e.to.y) - s;
    return x0 <= x && x <= x1 && y0 <= y && y <= y1;
}

// OutlineTeal pixels on an edge without its two ends, which other edges share.
int tealOn(const DibWindow& w, const Edge& e, int s)
{
    const bool horizontal = e.from.y == e.to.y;
    const int along = horizontal ? 1 : 0;
    return w.count(OutlineTeal, std::min(e.from.x, e.to.x) + along, std::min(e.from.y, e.to.y) - s + 1 - along,
                   std::max(e.from.x, e.to.x) + 1 - along, std::max(e.from.y, e.to.y) - s + along);
}

void redraw(DibWindow& w, LineLayer& layer)
{
    w.fill(White);
    layer.draw(w.hdc());
    GdiFlush();
}

} // namespace

TEST(OutlineLayerTest, LinesAreDottedTealOnePixelWide)
{
    DibWindow w;
    OutlineLayer layer(&w);
    layer.setLineCount(8);
    ASSERT_EQ(layer.lineCount(), 8u);
    for (uint32_t i = 0; i < 8; ++i) {
        LOGPEN pen;
        ASSERT_EQ(GetObject(layer.line(i).pen(), sizeof(pen), &pen), static_cast<int>(sizeof(pen)));
        EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_DOT));
        EXPECT_EQ(pen.lopnWidth.x, 1);
        EXPECT_EQ(pen.lopnColor, RGB(0, 176, 176));
        EXPECT_FALSE(layer.line(i).visible());
    }
}

TEST(OutlineLayerTest, TheOutlineFollowsTheScrollOffsetAndTouchesNothingElse)
{
    DibWindow w;
    OutlineLayer layer(&w);
    layer.setLineCount(8);
    TextRegion region;
    setTwoLineRegion(region);
    layer.outlineRegion(region);
    ASSERT_EQ(layer.points().count(), 8u);
    const std::vector<Edge> edges = edgesOf(layer.points());

    for (int s : {0, 50}) {
        SCOPED_TRACE(s);
        w.setScrollOffset(s);
        redraw(w, layer);
        for (int y = 0; y < DibWindow::Height; ++y) {
            for (int x = 0; x < DibWindow::Width; ++x) {
                const uint32_t p = w.pixel(x, y);
                bool edge = false;
                for (const Edge& e : edges)
                    edge = edge || onEdge(e, x, y, s);
                if (edge)
                    ASSERT_TRUE(p == OutlineTeal || p == White) << x << "," << y << ": " << std::hex << p;
                else
                    ASSERT_EQ(p, White) << x << "," << y;
            }
        }
        for (size_t i = 0; i < edges.size(); ++i)
            EXPECT_GT(tealOn(w, edges[i], s), 0) << "edge " << i;
    }

    // Hidden, nothing is drawn; an empty polygon changes nothing.
    layer.hideAll();
    PointArray none;
    layer.setPolygon(none);
    redraw(w, layer);
    EXPECT_EQ(w.count(OutlineTeal, 0, 0, DibWindow::Width, DibWindow::Height), 0);
}

TEST(OutlineLayerTest, AFourPointOutlineAfterAnEightPointOneKeepsItsLastFourLines)
{
    DibWindow w;
    OutlineLayer layer(&w);
    layer.setLineCount(8);
    TextRegion two;
    setTwoLineRegion(two);
    layer.outlineRegion(two);
    const std::vector<Edge> old = edgesOf(layer.points());

    TextRegion one;
    one.setSize(1);
    one.at(0) = Rect(600, 400, 50, 20);
    layer.outlineRegion(one);
    ASSERT_EQ(layer.points().count(), 4u);
    redraw(w, layer);
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_GT(tealOn(w, edgesOf(layer.points())[i], 0), 0) << "new line " << i;
    EXPECT_EQ(tealOn(w, old[1], 0), 0) << "the old right side is gone";
    for (uint32_t i = 4; i < 8; ++i) {
        EXPECT_TRUE(layer.line(i).visible());
        EXPECT_GT(tealOn(w, old[i], 0), 0) << "old line " << i;
    }

    // An empty polygon returns at once: the same pixels again.
    const std::vector<uint32_t> before = w.pixels();
    PointArray none;
    layer.setPolygon(none);
    redraw(w, layer);
    EXPECT_TRUE(w.pixels() == before);
}

TEST(OutlineLayerTest, ALineIsDrawnAtItsDocumentYLessTheOffsetWithTheContextsPenKept)
{
    DibWindow w;
    LineLayer layer(&w);
    layer.setLineCount(1);
    PointArray points;
    points.setSize(2);
    points.at(0) = Point(10, 400);
    points.at(1) = Point(20, 400);
    layer.setPolygon(points);
    w.setScrollOffset(300);

    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ original = SelectObject(w.hdc(), red);
    redraw(w, layer);
    EXPECT_EQ(GetCurrentObject(w.hdc(), OBJ_PEN), red);
    SelectObject(w.hdc(), original);
    DeleteObject(red);

    EXPECT_GT(w.count(OutlineTeal, 10, 100, 21, 101), 0);
    EXPECT_EQ(w.count(OutlineTeal, 0, 0, DibWindow::Width, DibWindow::Height), w.count(OutlineTeal, 10, 100, 21, 101));
}
