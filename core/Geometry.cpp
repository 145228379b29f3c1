#include "core/Geometry.h"

void rectToRECT(const Rect& r, RECT& out)
{
    out.left = r.left();
    out.top = r.top();
    out.right = r.right();
    out.bottom = r.bottom();
}

void rectFromRECT(const RECT& in, Rect& out)
{
    out.moveTo(in.left, in.top);
    out.stretchTo(in.right, in.bottom);
}

RECT& shiftRECTUp(RECT& r, int32_t d)
{
    r.top -= d;
    r.bottom -= d;
    return r;
}
