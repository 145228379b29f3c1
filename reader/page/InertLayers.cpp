#include "reader/page/InertLayers.h"

int32_t g_shape_draw_count = 0;

namespace {

// A twelve-pointed star around (50, 50).
const Point Figure[ShapeLayer::FigurePoints] = {
    Point(50, 10), Point(60, 35), Point(85, 30), Point(70, 50), Point(85, 70), Point(60, 65),
    Point(50, 90), Point(40, 65), Point(15, 70), Point(30, 50), Point(15, 30), Point(40, 35),
};

} // namespace

ShapeLayer::ShapeLayer(WinApiWindow* owner) : DrawLayer(owner), m_window(owner)
{
    m_pen = CreatePen(PS_SOLID, 2, RGB(0, 143, 0));
}

void ShapeLayer::draw(HDC)
{
    for (uint32_t i = 0; i < FigurePoints; ++i)
        m_figure[i] = Figure[i];
    g_shape_draw_count = (g_shape_draw_count + 1) % 3;
}
