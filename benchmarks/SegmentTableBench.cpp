// Times BookLoader::fillSegmentTable: sizes and fills a table repeatedly and
// prints the fastest and the median run. Used by scripts/bench-segment-table.sh.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "document/AudioSegment.h"
#include "document/BookLoader.h"

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::vector<double> micros;
    for (int k = 0; k < runs; ++k) {
        // A fresh table each time, as at start-up.
        AudioSegmentArray* table = new AudioSegmentArray;
        const auto began = std::chrono::steady_clock::now();
        const bool filled = BookLoader::fillSegmentTable(*table);
        const auto ended = std::chrono::steady_clock::now();
        if (!filled || table->count() != 4048) {
            std::fprintf(stderr, "segment_table_bench: fill failed\n");
            return 1;
        }
        delete table;
        micros.push_back(std::chrono::duration<double, std::micro>(ended - began).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("fillSegmentTable: %d runs, fastest %.0f us, median %.0f us\n", runs, micros.front(),
                micros[micros.size() / 2]);
    return 0;
}
