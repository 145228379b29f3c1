#include "reader/balloons/LineLayer.h"

#include "reader/balloons/OutlineShape.h"
#include "reader/window/WinApiWindow.h"

namespace {

const COLORREF LineColor = RGB(0, 176, 176);

} // namespace

Line::Line() : m_pen(CreatePen(PS_DOT, 1, LineColor)), m_visible(0), m_window(nullptr) {}

Line::~Line()
{
    if (m_pen != nullptr)
        DeleteObject(m_pen);
}

void Line::set(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    m_from = Point(x1, y1);
    m_to = Point(x2, y2);
    m_visible = 1;
}

void Line::draw(HDC dc)
{
    if (m_visible != 1 || m_window == nullptr)
        return;
    const int32_t s = m_window->scrollOffset();
    HGDIOBJ old = SelectObject(dc, m_pen);
    MoveToEx(dc, m_from.x, m_from.y - s, nullptr);
    LineTo(dc, m_to.x, m_to.y - s);
    SelectObject(dc, old);
}

LineLayer::LineLayer(WinApiWindow* owner) : DrawLayer(owner), m_lines(owner) {}

void LineLayer::setLineCount(uint32_t n)
{
    m_lines.setSize(n);
    for (uint32_t i = 0; i < m_lines.count(); ++i)
        m_lines.at(i).setOwner(m_lines.window());
}

void LineLayer::hideAll()
{
    for (uint32_t i = 0; i < m_lines.count(); ++i)
        m_lines.at(i).hide();
}

void LineLayer::draw(HDC dc)
{
    for (uint32_t i = 0; i < m_lines.count(); ++i)
        m_lines.at(i).draw(dc);
}

void LineLayer::setPolygon(const PointArray& points)
{
    Point from;
    Point to;
    for (uint32_t i = 0; OutlineShape::polygonEdge(points, i, from, to); ++i)
        m_lines.at(i).set(from.x, from.y, to.x, to.y);
}
