#pragma once

#include <windows.h>

#include <cstdint>

#include "core/FixedArray.h"
#include "core/Geometry.h"
#include "reader/window/DrawLayer.h"

class WinApiWindow;

// One straight dotted line in document pixels, drawn shifted up by its
// owner's scroll offset at the moment of drawing. It owns its pen.
class Line {
public:
    Line();
    ~Line();

    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    // Makes the line visible from (x1, y1) to (x2, y2).
    void set(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void hide() { m_visible = 0; }
    void setOwner(WinApiWindow* window) { m_window = window; }
    // Selects the pen only for the line: the context keeps its own.
    void draw(HDC dc);

    bool visible() const { return m_visible == 1; }
    HPEN pen() const { return m_pen; }

private:
    Point m_from;
    Point m_to;
    HPEN m_pen;
    uint8_t m_visible;
    WinApiWindow* m_window;
};

// The lines of a line layer, and the window that setLineCount gives them.
class LineSet : public FixedArray<Line> {
public:
    explicit LineSet(WinApiWindow* window) : m_window(window) {}
    ~LineSet() override = default;

    WinApiWindow* window() const { return m_window; }

private:
    WinApiWindow* m_window;
};

// A fixed set of lines; scrolling needs no notice, since each line reads the
// offset when it draws.
class LineLayer : public DrawLayer {
public:
    explicit LineLayer(WinApiWindow* owner);
    ~LineLayer() override = default;

    void onScrollUp(int32_t) override {}
    void onScrollDown(int32_t) override {}
    void draw(HDC dc) override;

    // n lines, invisible, owned by the layer's window.
    void setLineCount(uint32_t n);
    void hideAll();
    // Line i joins point i to point i + 1, the last point back to point 0.
    // Lines past the polygon's points are left as they were; an empty
    // polygon changes nothing.
    void setPolygon(const PointArray& points);

    uint32_t lineCount() const { return m_lines.count(); }
    const Line& line(uint32_t i) const { return m_lines.at(i); }

private:
    LineSet m_lines;
};
