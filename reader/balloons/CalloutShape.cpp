#include "reader/balloons/CalloutShape.h"

namespace {

const int32_t SideOffset = 70;     // from the tip to the box's centre, sideways
const int32_t VerticalOffset = 50; // from the tip to the box's near edge
const int32_t NeckHalfWidth = 6;
const int32_t TextInset = 3;

} // namespace

void CalloutShape::placement(int32_t clientWidth, int32_t clientHeight, int32_t scrollOffset,
                             const Point& upperAnchor, const Point& lowerAnchor, Point& tip, int32_t& dx, int32_t& dy)
{
    const bool above = upperAnchor.y - scrollOffset > clientHeight / 2;
    placeOnSide(above, clientWidth, scrollOffset, upperAnchor, lowerAnchor, tip, dx, dy);
}

void CalloutShape::placeOnSide(bool above, int32_t clientWidth, int32_t scrollOffset, const Point& upperAnchor,
                               const Point& lowerAnchor, Point& tip, int32_t& dx, int32_t& dy)
{
    const Point& anchor = above ? upperAnchor : lowerAnchor;
    tip = Point(anchor.x, anchor.y - scrollOffset);
    dy = above ? -VerticalOffset : VerticalOffset;
    dx = tip.x <= clientWidth / 2 ? SideOffset : -SideOffset;
}

void CalloutShape::buildOutline(const Point& tip, int32_t dx, int32_t dy, int32_t textWidth, int32_t textHeight)
{
    const int32_t cx = tip.x + dx;
    const int32_t ny = tip.y + dy; // the near edge, where the neck meets the box
    const int32_t half = textWidth / 2;
    const bool below = dy > 0;
    const int32_t fy = below ? ny + textHeight + 2 * TextInset : ny - textHeight - 2 * TextInset;

    m_outline[0] = tip;
    m_outline[1] = Point(cx + NeckHalfWidth, ny);
    m_outline[2] = Point(cx + NeckHalfWidth + half, ny);
    m_outline[3] = Point(cx + NeckHalfWidth + half, fy);
    m_outline[4] = Point(cx - NeckHalfWidth - half, fy);
    m_outline[5] = Point(cx - NeckHalfWidth - half, ny);
    m_outline[6] = Point(cx - NeckHalfWidth, ny);

    const int32_t top = below ? ny + TextInset : fy + TextInset;
    const int32_t bottom = below ? fy - TextInset : ny - TextInset;
    m_text_rect.moveTo(m_outline[4].x + TextInset, top);
    m_text_rect.stretchTo(m_outline[3].x - TextInset, bottom);
}

void CalloutShape::layout(int32_t clientWidth, int32_t clientHeight, int32_t scrollOffset, const Point& upperAnchor,
                          const Point& lowerAnchor, int32_t textWidth, int32_t textHeight)
{
    Point tip;
    int32_t dx = 0;
    int32_t dy = 0;
    placement(clientWidth, clientHeight, scrollOffset, upperAnchor, lowerAnchor, tip, dx, dy);
    buildOutline(tip, dx, dy, textWidth, textHeight);

    if (!fitsVertically(clientHeight)) {
        CalloutShape other;
        placeOnSide(dy > 0, clientWidth, scrollOffset, upperAnchor, lowerAnchor, tip, dx, dy);
        other.buildOutline(tip, dx, dy, textWidth, textHeight);
        if (other.fitsVertically(clientHeight))
            *this = other;
    }

    const int32_t left = boxLeft();
    const int32_t right = boxRight();
    if (left < 0 || right - left > clientWidth - 1)
        shiftBox(-left);
    else if (right > clientWidth - 1)
        shiftBox(clientWidth - 1 - right);
}

int32_t CalloutShape::boxTop() const
{
    return m_outline[2].y < m_outline[3].y ? m_outline[2].y : m_outline[3].y;
}

int32_t CalloutShape::boxBottom() const
{
    return m_outline[2].y < m_outline[3].y ? m_outline[3].y : m_outline[2].y;
}

bool CalloutShape::fitsVertically(int32_t clientHeight) const
{
    return boxTop() >= 0 && boxBottom() <= clientHeight - 1;
}

void CalloutShape::shiftBox(int32_t dx)
{
    for (uint32_t i = 1; i < PointCount; ++i)
        m_outline[i].offset(dx, 0);
    m_text_rect.moveTo(m_text_rect.left() + dx, m_text_rect.top());
}
