#pragma once

#include <cstdint>

#include "core/Geometry.h"
#include "reader/page/TextRegion.h"

// The dotted outline around a sentence: a closed polygon of 4 points around a
// one-rectangle region, of 8 around a two- or three-rectangle one, a few
// pixels outside its text; and the two points of it where a balloon attaches,
// one on its upper edge, one on its lower edge. Document pixels throughout;
// every division truncates toward zero.
class OutlineShape {
public:
    // Builds the points of a region of 1, 2 or 3 rectangles and answers true;
    // any other count leaves the points as they were and answers false.
    static bool outlineRegion(const TextRegion& region, PointArray& points);
    static void outlineOneRect(const TextRegion& region, PointArray& points);
    static void outlineTwoRects(const TextRegion& region, PointArray& points);
    static void outlineThreeRects(const TextRegion& region, PointArray& points);

    // The anchors of a 4- or 8-point outline; any other count leaves both as
    // the caller set them.
    static void getAnchors(const PointArray& points, Point& upper, Point& lower);
    static void anchorsOfQuad(const PointArray& points, Point& upper, Point& lower);
    static void anchorsOfOctagon(const PointArray& points, Point& upper, Point& lower);

    // Edge i of the closed polygon: from point i to the next, the last one
    // back to point 0. False when i is not below the point count, so an empty
    // polygon has no edge and one point has one edge of length zero.
    static bool polygonEdge(const PointArray& points, uint32_t i, Point& from, Point& to);
};
