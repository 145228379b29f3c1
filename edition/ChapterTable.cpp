#include "edition/ChapterTable.h"

namespace {

// tools/generate_segment_table.py reads this table: one entry per line.
const ChapterEntry kChapters[] = {
    {u"PREMI\u00C8RE PARTIE", 418}, {u"CHAPITRE I", 418},
    {u"CHAPITRE II", 9940},         {u"CHAPITRE III", 22280},
    {u"CHAPITRE IV", 29990},        {u"CHAPITRE V", 38800},
    {u"CHAPITRE VI", 47860},        {u"DEUXI\u00C8ME PARTIE", 66460},
    {u"CHAPITRE I", 66480},         {u"CHAPITRE II", 73829},
    {u"CHAPITRE III", 85243},       {u"CHAPITRE IV", 95849},
    {u"CHAPITRE V", 106065},        {u"CHAPITRE VI", 112251},
    {u"CHAPITRE VII", 119359},      {u"CHAPITRE VIII", 128096},
    {u"CHAPITRE IX", 137335},       {u"CHAPITRE X", 144867},
    {u"CHAPITRE XI", 152316},       {u"CHAPITRE XII", 159043},
};

const uint32_t kChapterCount = sizeof(kChapters) / sizeof(kChapters[0]);

} // namespace

uint32_t chapterCount()
{
    return kChapterCount;
}

const ChapterEntry& chapterEntry(uint32_t k)
{
    return k < kChapterCount ? kChapters[k] : kChapters[0];
}
