#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "SegmentRows.h"

// Facts of the blocks of the second half (8 to 14: segments 2100 to 4047,
// 300 a block, the last 148): bounds, paragraph coverage, gaps between ranges,
// first characters, and per track the durations and pauses with the segments
// that have the extremes. A pair of segments counts in a block when both lie
// in it; the pairs across a seam are stated on their own.

namespace {

int firstOf(int block)
{
    return (block - 1) * 300;
}

int lastOf(int block)
{
    return std::min(block * 300, 4048) - 1;
}

bool beginsParagraph(int s)
{
    return s == 0 || rows()[s - 1].paragraph != rows()[s].paragraph;
}

int durationOf(int s)
{
    return rows()[s].end - rows()[s].start;
}

// The pause before segment s, within its track.
int pauseBefore(int s)
{
    return rows()[s].start - rows()[s - 1].end;
}

std::string blockName(int block)
{
    return "block " + std::to_string(block);
}

struct BlockBounds {
    int block;
    int lowParagraph;
    int highParagraph;
    int highFirst;
    int lowLast;
    int highLast;
    int shortestRange; // -1: not stated
    int longestRange;
    int highMinutes;
    const char* earliestStart;
    const char* latestEnd;
};

const BlockBounds kBounds[] = {
    {8, 360, 416, 1309, 7, 1370, -1, -1, 5, "0:00.050", "5:28.170"},
    {9, 416, 451, 1344, 4, 1375, -1, -1, 5, "0:00.010", "5:21.460"},
    {10, 451, 504, 1381, 9, 1429, 8, 131, 3, "0:00.710", "3:47.950"},
    {11, 504, 562, 1537, 5, 1603, 6, 109, 5, "0:00.010", "5:25.070"},
    {12, 563, 604, 1733, 11, 1750, -1, -1, 3, nullptr, "3:10.040"},
    {13, 604, 666, 1046, 8, 1095, 4, -1, 4, nullptr, nullptr},
    {14, 666, 681, 735, 19, 804, 5, 104, 6, "0:31.580", "6:49.000"},
};

// Segments that have a stated earliest start or latest end of their block.
const std::map<int, int> kEarliestSegment = {{8, 2149}, {9, 2662}, {14, 3900}};
const std::map<int, int> kLatestSegment = {{8, 2306}, {9, 2595}, {12, 3554}, {14, 4047}};

// Per block and track: shortest and longest segment, shortest and longest
// pause (by the later segment of the pair), each with every segment that has it.
struct Extreme {
    int ms;
    std::vector<int> segments;
};

struct TrackTiming {
    int block;
    int track;
    Extreme shortest;
    Extreme longest;
    Extreme shortestPause;
    Extreme longestPause;
};

const TrackTiming kTiming[] = {
    {8, 20, {430, {2128}}, {4230, {2111}}, {110, {2127}}, {12620, {2141}}},
    {8, 21, {610, {2157}}, {4530, {2154}}, {220, {2157}}, {1310, {2164}}},
    {8, 22, {510, {2297}}, {4170, {2303}}, {50, {2170}}, {1730, {2300}}},
    {8, 23, {120, {2369}}, {3620, {2323}}, {90, {2342}}, {1770, {2316}}},
    {9, 23, {520, {2400}}, {7050, {2411}}, {110, {2409}}, {2700, {2412}}},
    {9, 24, {500, {2432}}, {3560, {2429}}, {110, {2462}}, {1440, {2450}}},
    {9, 25, {310, {2550}}, {6530, {2482}}, {30, {2541}}, {2050, {2483}}},
    {9, 26, {360, {2623}}, {3360, {2625}}, {220, {2661}}, {2460, {2653}}},
    {9, 27, {290, {2665}}, {4070, {2697}}, {210, {2674}}, {1170, {2697}}},
    {10, 27, {840, {2702}}, {2960, {2720}}, {100, {2720}}, {1100, {2719}}},
    {10, 28, {330, {2749, 2787}}, {4360, {2789}}, {120, {2742, 2788}}, {1980, {2790}}},
    {10, 29, {410, {2842}}, {4670, {2824}}, {90, {2842}}, {19580, {2819}}},
    {10, 30, {320, {2922}}, {7070, {2919}}, {100, {2909}}, {1720, {2932}}},
    {10, 31, {610, {2965}}, {5030, {2985}}, {100, {2993}}, {22250, {2985}}},
    {11, 31, {820, {3011}}, {2920, {3010}}, {80, {3006}}, {1180, {3015}}},
    {11, 32, {480, {3057}}, {4160, {3056}}, {80, {3036}}, {2120, {3063}}},
    {11, 33, {410, {3175}}, {3060, {3185}}, {180, {3200}}, {1900, {3188}}},
    {11, 34, {560, {3221}}, {9990, {3207}}, {100, {3208}}, {1300, {3222}}},
    {11, 35, {530, {3257, 3279}}, {4660, {3271}}, {110, {3279}}, {1340, {3260}}},
    {11, 36, {550, {3297}}, {3080, {3293}}, {90, {3297}}, {1310, {3299}}},
    {12, 36, {410, {3307}}, {2680, {3305}}, {110, {3332}}, {1290, {3305, 3315}}},
    {12, 37, {510, {3365}}, {3990, {3337}}, {100, {3342}}, {1400, {3349}}},
    {12, 38, {570, {3450}}, {14560, {3436}}, {100, {3426, 3464}}, {15720, {3436}}},
    {12, 39, {590, {3518}}, {4660, {3526}}, {90, {3519, 3539, 3552}}, {1670, {3536}}},
    {12, 40, {580, {3599}}, {3170, {3559}}, {70, {3566}}, {1790, {3595}}},
    {13, 40, {330, {3607, 3638}}, {4590, {3613}}, {90, {3602, 3607}}, {15070, {3613}}},
    {13, 41, {440, {3709}}, {4100, {3707}}, {80, {3669, 3716}}, {1450, {3710}}},
    {13, 42, {540, {3764}}, {4580, {3742}}, {170, {3754}}, {1700, {3740}}},
    {13, 43, {410, {3801}}, {4480, {3808}}, {80, {3774}}, {12480, {3803}}},
    {13, 44, {230, {3824}}, {4520, {3829}}, {90, {3875}}, {1680, {3866}}},
    {13, 45, {220, {3894}}, {3710, {3898}}, {200, {3889}}, {1500, {3891}}},
};

// Gaps between consecutive ranges of one paragraph: counts per block, and the
// pairs (by their earlier segment) stated for the rarer values. In blocks 8,
// 12, 13 and 14 the list of gaps of 1 is complete; the lists of 0, 3 and 4 are
// complete everywhere.
struct GapFacts {
    int block;
    std::map<int, int> counts;
    std::map<int, std::vector<int>> pairs;
};

const GapFacts kGaps[] = {
    {8,
     {{2, 229}, {1, 15}, {4, 1}},
     {{1, {2117, 2133, 2142, 2158, 2180, 2203, 2272, 2311, 2318, 2324, 2334, 2359, 2365, 2377, 2394}}, {4, {2344}}}},
    {9, {{2, 230}, {1, 33}, {3, 3}, {4, 2}}, {{3, {2430, 2548, 2588}}, {4, {2567, 2590}}}},
    {10, {{2, 212}, {1, 37}, {4, 1}}, {{4, {2761}}}},
    {11, {{2, 213}, {1, 27}, {3, 2}, {0, 1}}, {{3, {3069, 3143}}, {0, {3183}}}},
    {12,
     {{2, 244}, {1, 16}},
     {{1, {3319, 3327, 3339, 3340, 3343, 3345, 3350, 3362, 3393, 3401, 3423, 3479, 3490, 3526, 3528, 3582}}}},
    {13, {{2, 234}, {1, 6}, {3, 1}}, {{1, {3613, 3776, 3805, 3813, 3873, 3888}}, {3, {3705}}}},
    {14, {{2, 127}, {1, 3}, {3, 2}, {4, 3}}, {{1, {3906, 3954, 3995}}, {3, {3919, 3924}}, {4, {3925, 3927, 3928}}}},
};

// Paragraphs beginning in a block whose first segment starts at character 2.
const std::map<int, std::set<int>> kFirstAt2 = {
    {8, {}},
    {9, {434}},
    {10, {454, 455, 458, 459, 467, 468, 476, 477, 478, 479, 482, 485, 486, 487, 488, 492}},
    {11, {518, 519, 520, 523, 532, 533, 536, 537, 538, 539, 543, 547, 548, 558, 559, 562}},
    {12, {565, 572, 573, 575, 579, 580, 583, 584, 587, 588, 591}},
    {13, {612, 613, 618, 624, 627, 642}},
    {14, {}},
};

// Segments per paragraph inside a block: the one with the most (and how
// many), stated counts of others, and the paragraphs split across two tracks.
struct ParagraphFacts {
    int block;
    int most; // -1: not stated
    int mostCount;
    bool leastIsOne;
    std::map<int, int> counts;
    std::set<int> splitAcrossTracks;
};

const ParagraphFacts kParagraphs[] = {
    {8, 364, 28, false, {{364, 28}}, {364}},
    {9, 446, 37, true, {}, {}},
    {10, -1, 0, false, {}, {}},
    {11, 553, 38, true, {{549, 27}, {504, 18}}, {549, 553}},
    {12, 595, 39, true, {{566, 1}, {576, 1}, {578, 1}, {580, 1}, {585, 1}, {590, 1}}, {575}},
    {13, 608, 23, true, {}, {638}},
    {14, -1, 0, false, {}, {}},
};

std::map<int, int> segmentsPerParagraph(int block)
{
    std::map<int, int> counts;
    for (int s = firstOf(block); s <= lastOf(block); ++s)
        ++counts[rows()[s].paragraph];
    return counts;
}

void expectExtreme(const std::vector<int>& candidates, int (*value)(int), bool highest, const Extreme& stated,
                   const std::string& what)
{
    ASSERT_FALSE(candidates.empty()) << what;
    int best = value(candidates[0]);
    for (int s : candidates)
        best = highest ? std::max(best, value(s)) : std::min(best, value(s));
    std::vector<int> holders;
    for (int s : candidates) {
        if (value(s) == best)
            holders.push_back(s);
    }
    EXPECT_EQ(best, stated.ms) << what;
    EXPECT_EQ(holders, stated.segments) << what;
}

} // namespace

TEST(SegmentBlockFactsTest, BoundsOfEachBlock)
{
    for (const BlockBounds& b : kBounds) {
        SCOPED_TRACE(blockName(b.block));
        int lowParagraph = 1 << 30, highParagraph = -1, lowFirst = 1 << 30, highFirst = -1;
        int lowLast = 1 << 30, highLast = -1, shortest = 1 << 30, longest = -1;
        int lowMinutes = 60, highMinutes = -1, earliest = 1 << 30, latest = -1;
        for (int s = firstOf(b.block); s <= lastOf(b.block); ++s) {
            const Row& r = rows()[s];
            lowParagraph = std::min(lowParagraph, r.paragraph);
            highParagraph = std::max(highParagraph, r.paragraph);
            lowFirst = std::min(lowFirst, r.first);
            highFirst = std::max(highFirst, r.first);
            lowLast = std::min(lowLast, r.last);
            highLast = std::max(highLast, r.last);
            shortest = std::min(shortest, r.last - r.first + 1);
            longest = std::max(longest, r.last - r.first + 1);
            lowMinutes = std::min({lowMinutes, r.start / 60000, r.end / 60000});
            highMinutes = std::max({highMinutes, r.start / 60000, r.end / 60000});
            earliest = std::min(earliest, r.start);
            latest = std::max(latest, r.end);
        }
        EXPECT_EQ(lowParagraph, b.lowParagraph);
        EXPECT_EQ(highParagraph, b.highParagraph);
        EXPECT_EQ(lowFirst, 0);
        EXPECT_EQ(highFirst, b.highFirst);
        EXPECT_EQ(lowLast, b.lowLast);
        EXPECT_EQ(highLast, b.highLast);
        if (b.shortestRange >= 0) {
            EXPECT_EQ(shortest, b.shortestRange);
        }
        if (b.longestRange >= 0) {
            EXPECT_EQ(longest, b.longestRange);
        }
        EXPECT_EQ(lowMinutes, 0);
        EXPECT_EQ(highMinutes, b.highMinutes);
        if (b.earliestStart) {
            EXPECT_EQ(earliest, msOf(b.earliestStart));
        }
        if (b.latestEnd) {
            EXPECT_EQ(latest, msOf(b.latestEnd));
        }
        for (int s = firstOf(b.block); s <= lastOf(b.block); ++s) {
            if (kEarliestSegment.count(b.block) && rows()[s].start == earliest) {
                EXPECT_EQ(s, kEarliestSegment.at(b.block)) << "earliest start";
            }
            if (kLatestSegment.count(b.block) && rows()[s].end == latest) {
                EXPECT_EQ(s, kLatestSegment.at(b.block)) << "latest end";
            }
        }
    }
}

TEST(SegmentBlockFactsTest, GapsBetweenRangesOfOneParagraph)
{
    for (const GapFacts& g : kGaps) {
        SCOPED_TRACE(blockName(g.block));
        std::map<int, int> counts;
        std::map<int, std::vector<int>> pairs;
        for (int s = firstOf(g.block); s < lastOf(g.block); ++s) {
            if (rows()[s].paragraph != rows()[s + 1].paragraph)
                continue;
            const int gap = rows()[s + 1].first - rows()[s].last;
            ++counts[gap];
            pairs[gap].push_back(s);
        }
        EXPECT_EQ(counts, g.counts);
        for (const auto& listed : g.pairs)
            EXPECT_EQ(pairs[listed.first], listed.second) << "gap " << listed.first;
    }
}

TEST(SegmentBlockFactsTest, FirstCharacterOfEveryParagraphBegunInABlock)
{
    for (const auto& block : kFirstAt2) {
        std::set<int> atTwo;
        for (int s = firstOf(block.first); s <= lastOf(block.first); ++s) {
            if (!beginsParagraph(s))
                continue;
            EXPECT_TRUE(rows()[s].first == 0 || rows()[s].first == 2) << segmentName(s);
            if (rows()[s].first == 2)
                atTwo.insert(rows()[s].paragraph);
        }
        EXPECT_EQ(atTwo, block.second) << blockName(block.first);
    }
}

TEST(SegmentBlockFactsTest, SegmentsPerParagraphAndSplitsAcrossTracks)
{
    for (const ParagraphFacts& f : kParagraphs) {
        SCOPED_TRACE(blockName(f.block));
        const std::map<int, int> counts = segmentsPerParagraph(f.block);
        if (f.most >= 0) {
            for (const auto& c : counts) {
                if (c.first == f.most) {
                    EXPECT_EQ(c.second, f.mostCount);
                } else {
                    EXPECT_LT(c.second, f.mostCount) << "paragraph " << c.first;
                }
            }
        }
        int least = 1 << 30;
        for (const auto& c : counts)
            least = std::min(least, c.second);
        if (f.leastIsOne) {
            EXPECT_EQ(least, 1);
        }
        for (const auto& c : f.counts)
            EXPECT_EQ(counts.count(c.first) ? counts.at(c.first) : 0, c.second) << "paragraph " << c.first;
        std::set<int> split;
        for (int s = firstOf(f.block); s < lastOf(f.block); ++s) {
            if (rows()[s].paragraph == rows()[s + 1].paragraph && rows()[s].track != rows()[s + 1].track)
                split.insert(rows()[s].paragraph);
        }
        EXPECT_EQ(split, f.splitAcrossTracks);
    }
    // Block 12: exactly the six stated paragraphs have a single segment.
    std::set<int> single;
    for (const auto& c : segmentsPerParagraph(12)) {
        if (c.second == 1)
            single.insert(c.first);
    }
    EXPECT_EQ(single, (std::set<int>{566, 576, 578, 580, 585, 590}));
    EXPECT_EQ(segmentsPerParagraph(13).size(), 59u);
}

TEST(SegmentBlockFactsTest, DurationsAndPausesOfEachTrackInEachBlock)
{
    for (const TrackTiming& t : kTiming) {
        const std::string what = blockName(t.block) + ", track " + std::to_string(t.track);
        std::vector<int> segments;
        std::vector<int> laterOfPairs;
        for (int s = firstOf(t.block); s <= lastOf(t.block); ++s) {
            if (rows()[s].track != t.track)
                continue;
            segments.push_back(s);
            if (s > firstOf(t.block) && rows()[s - 1].track == t.track)
                laterOfPairs.push_back(s);
        }
        expectExtreme(segments, durationOf, false, t.shortest, what + ": shortest segment");
        expectExtreme(segments, durationOf, true, t.longest, what + ": longest segment");
        expectExtreme(laterOfPairs, pauseBefore, false, t.shortestPause, what + ": shortest pause");
        expectExtreme(laterOfPairs, pauseBefore, true, t.longestPause, what + ": longest pause");
    }
}

TEST(SegmentBlockFactsTest, LongPausesAndSegmentsStandAlone)
{
    // Block 8's longest pause is 12.62 s (2140 to 2141), block 9's 2.70 s (2411 to 2412).
    for (int s = 2101; s <= 2399; ++s) {
        if (rows()[s].track == rows()[s - 1].track && s != 2141) {
            EXPECT_LT(pauseBefore(s), 12620) << segmentName(s);
        }
    }
    for (int s = 2401; s <= 2699; ++s) {
        if (rows()[s].track == rows()[s - 1].track && s != 2412) {
            EXPECT_LT(pauseBefore(s), 2700) << segmentName(s);
        }
    }
    // Block 10: besides 19.58 s and 22.25 s every pause is at most 2.01 s (2979 to 2980).
    EXPECT_EQ(pauseBefore(2980), 2010);
    for (int s = 2701; s <= 2999; ++s) {
        if (rows()[s].track == rows()[s - 1].track && s != 2819 && s != 2985) {
            EXPECT_LE(pauseBefore(s), 2010) << segmentName(s);
        }
    }
    // Block 12: only 3436 lasts longer than 4.66 s, only the pause before it exceeds 1.79 s.
    for (int s = 3300; s <= 3599; ++s) {
        if (s != 3436) {
            EXPECT_LE(durationOf(s), 4660) << segmentName(s);
        }
        if (s > 3300 && rows()[s].track == rows()[s - 1].track && s != 3436) {
            EXPECT_LE(pauseBefore(s), 1790) << segmentName(s);
        }
    }
    // Block 13: only the pauses before 3613 and 3803 exceed 1.70 s.
    for (int s = 3601; s <= 3899; ++s) {
        if (rows()[s].track == rows()[s - 1].track && s != 3613 && s != 3803) {
            EXPECT_LE(pauseBefore(s), 1700) << segmentName(s);
        }
    }
}

TEST(SegmentBlockFactsTest, TimingOfBlock14)
{
    std::vector<int> segments;
    for (int s = 3900; s < 4047; ++s)
        segments.push_back(s);
    expectExtreme(segments, durationOf, false, {340, {4040}}, "shortest segment");
    expectExtreme(segments, durationOf, true, {3830, {4012}}, "longest segment but the last");
    EXPECT_EQ(durationOf(4047), 19480);

    std::vector<int> inside;
    std::vector<int> change;
    for (int s = 3901; s <= 4047; ++s) {
        ASSERT_EQ(rows()[s].track, 45);
        (rows()[s].paragraph == rows()[s - 1].paragraph ? inside : change).push_back(s);
    }
    change.erase(std::find(change.begin(), change.end(), 3977));
    EXPECT_EQ(pauseBefore(3977), 22640);
    expectExtreme(inside, pauseBefore, false, {80, {3945, 4007}}, "shortest pause inside a paragraph");
    int highInside = 0;
    for (int s : inside)
        highInside = std::max(highInside, pauseBefore(s));
    EXPECT_EQ(highInside, 1360);
    int lowChange = 1 << 30;
    for (int s : change)
        lowChange = std::min(lowChange, pauseBefore(s));
    EXPECT_EQ(lowChange, 900);
    expectExtreme(change, pauseBefore, true, {2600, {3912}}, "longest pause where the paragraph changes");
}
