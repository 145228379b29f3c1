#pragma once

// What the reader's benchmarks share: a millisecond clock and a line of
// figures (median and maximum of the rounds).

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

inline double nowMs()
{
    LARGE_INTEGER f;
    LARGE_INTEGER t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

inline void printFigures(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.3f ms  max %7.3f ms  (%zu rounds)\n", what, ms[ms.size() / 2], ms.back(), ms.size());
}
