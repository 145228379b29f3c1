#include "edition/ChapterTable.h"

namespace {

// tools/generate_segment_table.py reads this table: one entry per line.
const ChapterEntry kChapters[] = {
    {u"PREMI\u00C8RE PARTIE", 418, 19}, {u"CHAPITRE I", 418, 20},
    {u"CHAPITRE II", 9940, 43},         {u"CHAPITRE III", 22280, 92},
    {u"CHAPITRE IV", 29990, 132},       {u"CHAPITRE V", 38800, 163},
    {u"CHAPITRE VI", 47860, 222},       {u"DEUXI\u00C8ME PARTIE", 66460, 289},
    {u"CHAPITRE I", 66480, 290},        {u"CHAPITRE II", 73829, 315},
    {u"CHAPITRE III", 85243, 362},      {u"CHAPITRE IV", 95849, 417},
    {u"CHAPITRE V", 106065, 448},       {u"CHAPITRE VI", 112251, 471},
    {u"CHAPITRE VII", 119359, 499},     {u"CHAPITRE VIII", 128096, 550},
    {u"CHAPITRE IX", 137335, 593},      {u"CHAPITRE X", 144867, 605},
    {u"CHAPITRE XI", 152316, 648},      {u"CHAPITRE XII", 159043, 674},
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
