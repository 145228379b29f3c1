#include "reader/balloons/OutlineShape.h"

namespace {

Point moved(Point p, int32_t dx, int32_t dy)
{
    p.offset(dx, dy);
    return p;
}

// An edge shorter than a quarter of the outline's width takes the anchor on
// the part that juts out beside it, one longer than half its middle, any
// other its end.
Point anchorFor(int32_t edge, int32_t quarter, int32_t half, const Point& jutting, const Point& middle,
                const Point& end)
{
    if (edge < quarter)
        return jutting;
    if (edge > half)
        return middle;
    return end;
}

} // namespace

bool OutlineShape::outlineRegion(const TextRegion& region, PointArray& points)
{
    switch (region.count()) {
    case 1:
        outlineOneRect(region, points);
        return true;
    case 2:
        outlineTwoRects(region, points);
        return true;
    case 3:
        outlineThreeRects(region, points);
        return true;
    default:
        return false;
    }
}

void OutlineShape::outlineOneRect(const TextRegion& region, PointArray& points)
{
    const Rect& r = region.at(0);
    points.setSize(4);
    // The right side lies one pixel beyond the text, not two as in the
    // 8-point outlines.
    points.at(0) = moved(r.topLeft(), -3, -1);
    points.at(1) = moved(r.topRight(), 1, -1);
    points.at(2) = moved(r.bottomRight(), 1, 0);
    points.at(3) = moved(r.bottomLeft(), -3, 0);
}

void OutlineShape::outlineTwoRects(const TextRegion& region, PointArray& points)
{
    const Rect& first = region.at(0);
    const Rect& second = region.at(1);
    points.setSize(8);
    points.at(0) = moved(first.topLeft(), -3, -1);
    points.at(1) = moved(first.topRight(), 2, -1);
    // The steps between the lines lie a third of the gap inside it: on the
    // right a third above the second line, on the left a third below the first.
    const int32_t third = (second.top() - first.bottom()) / 3;
    points.at(2) = Point(first.right() + 2, second.top() - third);
    points.at(3) = Point(second.right() + 2, second.top() - third);
    points.at(4) = moved(second.bottomRight(), 2, 0);
    points.at(5) = moved(second.bottomLeft(), -3, 0);
    points.at(6) = Point(second.left() - 3, first.bottom() + third);
    points.at(7) = Point(first.left() - 3, first.bottom() + third);
}

void OutlineShape::outlineThreeRects(const TextRegion& region, PointArray& points)
{
    const Rect& first = region.at(0);
    const Rect& middle = region.at(1);
    const Rect& last = region.at(2);
    points.setSize(8);
    points.at(0) = moved(first.topLeft(), -3, -1);
    points.at(1) = moved(first.topRight(), 2, -1);
    if (first.right() == middle.right()) {
        points.at(2) = moved(middle.bottomRight(), 2, 0);
        points.at(3) = moved(last.topRight(), 2, 0);
    } else {
        points.at(2) = moved(first.bottomRight(), 2, 0);
        points.at(3) = moved(middle.topRight(), 2, 0);
    }
    points.at(4) = moved(last.bottomRight(), 2, 0);
    points.at(5) = moved(last.bottomLeft(), -3, 0);
    if (middle.left() == last.left()) {
        points.at(6) = moved(middle.topLeft(), -3, -1);
        points.at(7) = moved(first.bottomLeft(), -3, -1);
    } else {
        points.at(6) = moved(last.topLeft(), -3, -1);
        points.at(7) = moved(middle.bottomLeft(), -3, -1);
    }
}

void OutlineShape::getAnchors(const PointArray& points, Point& upper, Point& lower)
{
    if (points.count() == 4)
        anchorsOfQuad(points, upper, lower);
    else if (points.count() == 8)
        anchorsOfOctagon(points, upper, lower);
}

void OutlineShape::anchorsOfQuad(const PointArray& points, Point& upper, Point& lower)
{
    const Point& p0 = points.at(0);
    upper = Point(p0.x + (points.at(1).x - p0.x) / 2, p0.y);
    lower = Point(upper.x, points.at(2).y);
}

void OutlineShape::anchorsOfOctagon(const PointArray& points, Point& upper, Point& lower)
{
    const int32_t a = points.at(0).x; // top edge, left end
    const int32_t b = points.at(1).x; // top edge, right end
    const int32_t c = points.at(5).x; // bottom edge, left end
    const int32_t d = points.at(4).x; // bottom edge, right end
    const int32_t width = b - c;
    const int32_t quarter = width / 4;
    const int32_t half = width / 2;
    const int32_t top = b - a;
    const int32_t bottom = d - c;

    // Upper: the part jutting out left below a short first line, the top
    // edge's middle, or its left end.
    upper = anchorFor(top, quarter, half, Point(c + (a - c) / 2, points.at(7).y), Point(a + top / 2, points.at(0).y),
                      Point(a, points.at(0).y));
    // Lower: the part jutting out right above a short last line, the bottom
    // edge's middle, or its right end.
    lower = anchorFor(bottom, quarter, half, Point(d + (b - d) / 2, points.at(3).y),
                      Point(c + bottom / 2, points.at(4).y), Point(d, points.at(4).y));
}

bool OutlineShape::polygonEdge(const PointArray& points, uint32_t i, Point& from, Point& to)
{
    if (i >= points.count())
        return false;
    from = points.at(i);
    to = points.at(i + 1 < points.count() ? i + 1 : 0);
    return true;
}
