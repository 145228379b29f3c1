// Prints the compiled-in segment table as CSV on standard output:
// index,paragraph,first,last,track,start_ms,end_ms,valid
// where track is the segment's track file name.

#include <cstdio>

#include "document/AudioSegment.h"
#include "document/BookLoader.h"

int main()
{
    AudioSegmentArray table;
    if (!BookLoader::fillSegmentTable(table)) {
        std::fprintf(stderr, "segment_table_csv: the segment table could not be allocated\n");
        return 1;
    }
    std::printf("index,paragraph,first,last,track,start_ms,end_ms,valid\n");
    for (uint32_t i = 0; i < table.count(); ++i) {
        const AudioSegment& s = table.at(i);
        char name[32];
        uint32_t n = 0;
        // Track names are ASCII; the terminator ends the copy.
        for (; n < s.trackName().count() && n + 1 < sizeof(name) && s.trackName().at(n) != 0; ++n)
            name[n] = static_cast<char>(s.trackName().at(n));
        name[n] = 0;
        std::printf("%u,%d,%d,%d,%s,%u,%u,%d\n", i, s.paragraphIndex(), s.firstChar(), s.lastChar(), name,
                    s.start().toMilliseconds(), s.end().toMilliseconds(), s.isValid());
    }
    return 0;
}
