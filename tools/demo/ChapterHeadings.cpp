#include "tools/demo/ChapterHeadings.h"

namespace {

// tools/generate_segment_table.py reads this table: one paragraph per item of
// the chapter table, in its order.
const uint32_t kHeadingParagraphs[] = {
    19, 20, 43, 92, 132, 163, 222, 289, 290, 315, 362, 417, 448, 471, 499, 550, 593, 605, 648, 674,
};

const uint32_t kHeadingCount = sizeof(kHeadingParagraphs) / sizeof(kHeadingParagraphs[0]);

} // namespace

uint32_t chapterHeadingParagraph(uint32_t k)
{
    return k < kHeadingCount ? kHeadingParagraphs[k] : kHeadingParagraphs[0];
}
