// The figures of scripts/bench-balloons.sh: how long a balloon takes to show
// (copy, wrap, place) translations of 200, 2,000 and 10,000 characters, one
// paint of the outline and a balloon, and 70,000 such paints, on an
// 800 x 600 memory bitmap.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BalloonTexts.h"
#include "BenchSupport.h"
#include "DibWindow.h"
#include "reader/balloons/CalloutLayer.h"
#include "reader/balloons/OutlineLayer.h"

namespace {

std::wstring translation(size_t length)
{
    const std::u16string text = wordsText(length, static_cast<uint32_t>(length));
    return std::wstring(text.begin(), text.end());
}

} // namespace

int main()
{
    DibWindow w;
    CalloutLayer balloons(&w);
    const Point upper(300, 199);
    const Point lower(300, 220);

    for (size_t length : {200u, 2000u, 10000u}) {
        const std::wstring text = translation(length);
        std::vector<double> ms;
        for (int i = 0; i < (length > 2000 ? 20 : 100); ++i) {
            const double t0 = nowMs();
            balloons.addCallout(upper, lower, text.c_str(), 400, 0);
            ms.push_back(nowMs() - t0);
        }
        char what[64];
        std::snprintf(what, sizeof(what), "show, %zu characters", length);
        printFigures(what, ms);
    }
    for (uint32_t i = 0; i < CalloutLayer::SlotCount; ++i)
        balloons.removeCallout(i);

    OutlineLayer outline(&w);
    outline.setLineCount(8);
    TextRegion region;
    region.setSize(2);
    region.at(0) = Rect(300, 100, 200, 20);
    region.at(1) = Rect(40, 130, 100, 20);
    outline.outlineRegion(region);
    Point a;
    Point b;
    OutlineLayer::getAnchors(outline.points(), a, b);
    balloons.addCallout(a, b, translation(120).c_str(), 400, 0);

    std::vector<double> paint;
    for (int i = 0; i < 1000; ++i) {
        const double t0 = nowMs();
        outline.draw(w.hdc());
        balloons.draw(w.hdc());
        GdiFlush();
        paint.push_back(nowMs() - t0);
    }
    printFigures("one paint: outline and a balloon", paint);

    const double t0 = nowMs();
    for (int i = 0; i < 70000; ++i) {
        outline.draw(w.hdc());
        balloons.draw(w.hdc());
    }
    GdiFlush();
    const double loop = nowMs() - t0;
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    std::printf("%-44s %8.1f ms in all; a brush can still be made: %s\n", "70,000 paints", loop,
                brush != nullptr ? "yes" : "NO");
    DeleteObject(brush);
    return 0;
}
