#include "BenchSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "reader/page/CellRuns.h"

namespace {

class CountingSink : public TextRunSink {
public:
    void drawText(int32_t, int32_t, const RgbColor&, const CellChar*, uint32_t) override { ++calls; }
    int calls = 0;
};

} // namespace

double nowMs()
{
    LARGE_INTEGER f;
    LARGE_INTEGER t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

void printFigures(const char* what, std::vector<double> ms)
{
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    std::printf("%-52s median %8.3f ms  max %8.3f ms  (%zu rounds)\n", what, ms[ms.size() / 2], ms.back(), ms.size());
}

int textOutCount(const CellArray& cells, int32_t offset, int32_t clientHeight)
{
    CountingSink sink;
    const VisibleRun run = findVisibleRun(cells, 0, offset, clientHeight);
    drawVisibleRun(cells, run, CharClasses(nullptr), offset, sink);
    return sink.calls;
}
