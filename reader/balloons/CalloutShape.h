#pragma once

#include <cstdint>

#include "core/Geometry.h"

// Where a translation balloon stands and its shape, in client pixels: a box
// around the text with a neck from the box's near edge to a tip at the
// sentence's outline. The box stands 50 pixels above the sentence when the
// sentence's top lies in the lower half of the client area, else 50 below,
// and leans 70 pixels to the right of the tip when the tip lies in the left
// half, else to the left. Every division truncates toward zero.
class CalloutShape {
public:
    static const uint32_t PointCount = 7;

    CalloutShape() {}

    // Tip and offsets for a client area of the given size, the scroll offset
    // and the two anchors (document pixels).
    static void placement(int32_t clientWidth, int32_t clientHeight, int32_t scrollOffset, const Point& upperAnchor,
                          const Point& lowerAnchor, Point& tip, int32_t& dx, int32_t& dy);

    // The seven points and the text rectangle for a text of textWidth by
    // textHeight pixels. Point 0 is the tip; 1 and 6 end the neck on the
    // box's near edge; 2 to 5 are the box's corners. The text lies 3 pixels
    // inside the box.
    void buildOutline(const Point& tip, int32_t dx, int32_t dy, int32_t textWidth, int32_t textHeight);

    // placement and buildOutline, then kept inside the client area: a box
    // that crosses the top or bottom edge moves to the other side of the
    // sentence when it fits wholly there, and a box that crosses the left or
    // right edge slides sideways into x 0 to clientWidth - 1 (its left edge
    // at 0 when it is wider). The tip stays at the anchor; a box that fits
    // does not move.
    void layout(int32_t clientWidth, int32_t clientHeight, int32_t scrollOffset, const Point& upperAnchor,
                const Point& lowerAnchor, int32_t textWidth, int32_t textHeight);

    const Point& point(uint32_t i) const { return m_outline[i < PointCount ? i : 0]; }
    const Rect& textRect() const { return m_text_rect; }

    // The box's edges (points 2 to 5).
    int32_t boxLeft() const { return m_outline[4].x; }
    int32_t boxRight() const { return m_outline[3].x; }
    int32_t boxTop() const;
    int32_t boxBottom() const;

private:
    static void placeOnSide(bool above, int32_t clientWidth, int32_t scrollOffset, const Point& upperAnchor,
                            const Point& lowerAnchor, Point& tip, int32_t& dx, int32_t& dy);
    bool fitsVertically(int32_t clientHeight) const;
    void shiftBox(int32_t dx);

    Point m_outline[PointCount];
    Rect m_text_rect;
};

// True when a balloon's text is right-aligned: its second character, as an
// unsigned 16-bit value, lies in U+05B1 to U+06FC (Hebrew and Arabic). A text
// of one character or none is left-aligned; its second character is not read.
template <typename CharT>
bool isRightAlignedText(const CharT* text)
{
    if (text == nullptr || text[0] == 0)
        return false;
    const uint16_t second = static_cast<uint16_t>(text[1]);
    return second >= 0x05B1 && second <= 0x06FC;
}
