#pragma once

#include <cstdint>

#include "core/FixedArray.h"
#include "core/PlatformRect.h"

class Point {
public:
    Point() : x(0), y(0) {}
    Point(int32_t px, int32_t py) : x(px), y(py) {}

    void offset(int32_t dx, int32_t dy)
    {
        x += dx;
        y += dy;
    }

    int32_t x;
    int32_t y;
};

// Points are built as (0, 0) when the array is sized.
class PointArray : public FixedArray<Point> {
public:
    ~PointArray() override = default;
};

// An origin and a size; right and bottom are derived. Nothing keeps the size
// positive, and containment includes all four edges.
class Rect {
public:
    Rect() : m_width(0), m_height(0) {}
    Rect(int32_t x, int32_t y, int32_t width, int32_t height) : m_origin(x, y), m_width(width), m_height(height) {}

    int32_t left() const { return m_origin.x; }
    int32_t top() const { return m_origin.y; }
    int32_t right() const { return m_origin.x + m_width; }
    int32_t bottom() const { return m_origin.y + m_height; }
    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }

    Point topLeft() const { return Point(left(), top()); }
    Point topRight() const { return Point(right(), top()); }
    Point bottomLeft() const { return Point(left(), bottom()); }
    Point bottomRight() const { return Point(right(), bottom()); }

    void setTopLeft(const Point& p) { m_origin = p; }
    void moveTo(int32_t x, int32_t y) { m_origin = Point(x, y); }
    void setBottomRight(const Point& p) { stretchTo(p.x, p.y); }
    void stretchTo(int32_t right, int32_t bottom)
    {
        m_width = right - m_origin.x;
        m_height = bottom - m_origin.y;
    }
    void setWidth(int32_t w) { m_width = w; }
    void setHeight(int32_t h) { m_height = h; }

    // The top edge rises by d; the bottom edge stays.
    void growUp(int32_t d)
    {
        m_height += d;
        m_origin.y -= d;
    }
    void widen(int32_t d) { m_width += d; }

    bool contains(const Point& p) const { return left() <= p.x && p.x <= right() && top() <= p.y && p.y <= bottom(); }

private:
    Point m_origin;
    int32_t m_width;
    int32_t m_height;
};

void rectToRECT(const Rect& r, RECT& out);
void rectFromRECT(const RECT& in, Rect& out);
// Turns document coordinates into window coordinates for a scroll offset d.
RECT& shiftRECTUp(RECT& r, int32_t d);
