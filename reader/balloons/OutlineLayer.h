#pragma once

#include "core/Geometry.h"
#include "reader/balloons/LineLayer.h"
#include "reader/page/TextRegion.h"

// The dotted outline around the clicked sentence, and the points where its
// balloon may attach.
class OutlineLayer : public LineLayer {
public:
    explicit OutlineLayer(WinApiWindow* owner) : LineLayer(owner) {}
    ~OutlineLayer() override = default;

    // A region of 1, 2 or 3 rectangles gets its outline; any other leaves
    // the points and lines as they were.
    void outlineRegion(const TextRegion& region);
    const PointArray& points() const { return m_points; }

    // The upper and lower anchors of a 4- or 8-point outline; any other
    // count leaves both as the caller set them.
    static void getAnchors(const PointArray& points, Point& upper, Point& lower);

private:
    PointArray m_points;
};
