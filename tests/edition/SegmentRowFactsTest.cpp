#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SegmentRows.h"

// Facts about particular rows that the rest of the program takes as given:
// the worked numbers of the document, the track times, the byte ranges and
// playback name rows of this table. Each fact is checked under its name.

namespace {

struct RowFact {
    const char* name;
    std::function<bool()> holds;
};

const Row& row(int segment)
{
    return rows()[segment];
}

bool reads(int segment, int paragraph, int first, int last, int track)
{
    const Row& r = row(segment);
    return r.paragraph == paragraph && r.first == first && r.last == last && r.track == track;
}

// The pause that playback queues after segment s within its track: from its
// end to the next segment's start.
int pauseAfter(int segment)
{
    return row(segment + 1).start - row(segment).end;
}

bool endsAfterItsSuccessorStarts(int segment)
{
    return row(segment).track == row(segment + 1).track && pauseAfter(segment) < 0;
}

const std::vector<RowFact>& rowFacts()
{
    static const std::vector<RowFact> facts = {
        {"segment 0 reads characters 0 to 34 of paragraph 0 in track 1, from 40 to 4,430 ms "
         "(the byte range of 7,056 to 781,452 at 176,400 bytes a second; the pause after it starts at 0:0:4:430)",
         [] { return reads(0, 0, 0, 34, 1) && row(0).start == 40 && row(0).end == 4430; }},
        {"segment 1 reads characters 0 to 38 of paragraph 21, the first of that paragraph's segments",
         [] { return reads(1, 21, 0, 38, 1) && row(0).paragraph != 21; }},
        {"segment 1 ends at 0:0:18:540 and segment 2 starts at 0:0:18:620 in the same track: "
         "playing from segment 1 queues an 80 ms pause, then segment 2",
         [] {
             return row(1).end == 18540 && row(2).start == 18620 && row(2).track == row(1).track &&
                    pauseAfter(1) == 80;
         }},
        {"segment 1084 ends at 225,390 ms and segment 1085, in the same track, starts at 218,020 ms (0:3:38:20): "
         "the pause between them goes back and plays as the 2 ms from 218,018 to 218,020 ms",
         [] {
             return row(1084).end == 225390 && row(1085).start == 218020 && row(1084).track == row(1085).track;
         }},
        {"segment 1084 is the only segment of the table that ends after its successor in the same track starts",
         [] {
             for (int s = 0; s + 1 < 4048; ++s) {
                 if (endsAfterItsSuccessorStarts(s) != (s == 1084))
                     return false;
             }
             return true;
         }},
        {"segments 1588 and 1589 read paragraph 284 in tracks 15 and 16: a paragraph's segments may go on "
         "in the next track",
         [] { return row(1588).paragraph == 284 && row(1589).paragraph == 284 && row(1588).track == 15 &&
                     row(1589).track == 16; }},
        {"segment 4047, the last row, reads characters 308 to 325 of paragraph 681, the last paragraph, "
         "and ends at 409,000 ms (0:6:49:0), the latest time of track 45",
         [] {
             if (!reads(4047, 681, 308, 325, 45) || row(4047).end != 409000)
                 return false;
             for (int s = 0; s < 4047; ++s) {
                 if (row(s).paragraph > 681 || (row(s).track == 45 && row(s).end >= row(4047).end))
                     return false;
             }
             return true;
         }},
        {"every time has hours 0 and lies below eight minutes",
         [] {
             for (int s = 0; s < 4048; ++s) {
                 if (row(s).hours != 0 || row(s).start >= 480000 || row(s).end >= 480000)
                     return false;
             }
             return true;
         }},
    };
    return facts;
}

} // namespace

TEST(SegmentRowFactsTest, RowsNamedElsewhereHold)
{
    ASSERT_EQ(rows().size(), 4048u);
    for (const RowFact& fact : rowFacts())
        EXPECT_TRUE(fact.holds()) << fact.name;
}
