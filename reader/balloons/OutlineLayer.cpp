#include "reader/balloons/OutlineLayer.h"

#include "reader/balloons/OutlineShape.h"

void OutlineLayer::outlineRegion(const TextRegion& region)
{
    if (OutlineShape::outlineRegion(region, m_points))
        setPolygon(m_points);
}

void OutlineLayer::getAnchors(const PointArray& points, Point& upper, Point& lower)
{
    OutlineShape::getAnchors(points, upper, lower);
}
