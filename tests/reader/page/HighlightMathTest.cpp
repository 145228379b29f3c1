#include <gtest/gtest.h>

#include <vector>

#include "reader/page/HighlightMath.h"

namespace {

void setSegment(AudioSegment& s, const char16_t* track, int32_t paragraph, int32_t first, int32_t last)
{
    WideString name;
    name.assign(track);
    s.setTextRange(first, last, paragraph);
    s.fill(name, TrackTime(), TrackTime(), 1, first, last);
}

} // namespace

TEST(HighlightMathTest, SegmentItemsRestartAtEachNewParagraphNotAtANewTrack)
{
    // Paragraph 7 goes on from track 03 into track 04.
    AudioSegmentArray table;
    table.setSize(7);
    setSegment(table.at(0), u"omblt03.wav", 5, 0, 10);
    setSegment(table.at(1), u"omblt03.wav", 7, 0, 10);
    setSegment(table.at(2), u"omblt03.wav", 7, 12, 20);
    setSegment(table.at(3), u"omblt04.wav", 7, 22, 30);
    setSegment(table.at(4), u"omblt04.wav", 8, 0, 5);
    setSegment(table.at(5), u"omblt04.wav", 7, 32, 40); // back to an earlier paragraph
    setSegment(table.at(6), u"omblt04.wav", 7, 42, 50);

    SegmentItemCounter counter;
    std::vector<int32_t> items;
    for (uint32_t j = 0; j < table.count(); ++j)
        items.push_back(counter.next(table.at(j).paragraphIndex()));
    EXPECT_EQ(items, (std::vector<int32_t>{0, 0, 1, 2, 0, 0, 1}));

    // The first segment of a table counts 0 also in paragraph 0.
    SegmentItemCounter fresh;
    EXPECT_EQ(fresh.next(0), 0);
    EXPECT_EQ(fresh.next(0), 1);
}

TEST(HighlightMathTest, OnlySegmentsOfTheTableHaveCells)
{
    AudioSegment s;
    uint32_t first = 77;
    uint32_t last = 88;
    EXPECT_FALSE(segmentCells(s, 1000, first, last)) << "a default segment";
    EXPECT_EQ(first, 77u);
    EXPECT_EQ(last, 88u);

    setSegment(s, u"omblt01.wav", 3, 4, 9);
    ASSERT_TRUE(segmentCells(s, 1000, first, last));
    EXPECT_EQ(first, 1004u);
    EXPECT_EQ(last, 1009u);

    // A pause item carries the valid flag 0.
    s.fill(s.trackName(), TrackTime(), TrackTime(), 0, 4, 9);
    EXPECT_FALSE(segmentCells(s, 1000, first, last));
    // Any other value than 1 is not a segment either.
    s.fill(s.trackName(), TrackTime(), TrackTime(), 2, 4, 9);
    EXPECT_FALSE(segmentCells(s, 1000, first, last));
}

TEST(HighlightMathTest, AutoScrollFollowsTheTextNearTheEdges)
{
    // Client 600 high at offset 1000: on below 1500, off above 1100.
    EXPECT_EQ(autoScrollAfter(0, 1, 1501, 1000, 600), 1);
    EXPECT_EQ(autoScrollAfter(0, 1, 1500, 1000, 600), 0);
    EXPECT_EQ(autoScrollAfter(1, 1, 1500, 1000, 600), 1) << "between the margins nothing changes";
    EXPECT_EQ(autoScrollAfter(0, 0, 1501, 1000, 600), 0) << "only while playing";
    EXPECT_EQ(autoScrollAfter(1, 0, 1501, 1000, 600), 1) << "not playing does not stop it";
    EXPECT_EQ(autoScrollAfter(0, 1, 5000, 1000, 600), 1) << "below the client area";

    EXPECT_EQ(autoScrollAfter(1, 1, 1099, 1000, 600), 0);
    EXPECT_EQ(autoScrollAfter(1, 1, 1100, 1000, 600), 1);
    EXPECT_EQ(autoScrollAfter(1, 0, 200, 1000, 600), 0) << "above the client area";

    // A client area smaller than both margins: the lower test wins.
    EXPECT_EQ(autoScrollAfter(0, 1, 1050, 1000, 120), 1);
    // No wrap at the ends of the integers.
    EXPECT_EQ(autoScrollAfter(1, 1, INT32_MIN, INT32_MAX, 600), 0);
    EXPECT_EQ(autoScrollAfter(0, 1, INT32_MAX, INT32_MAX - 550, 600), 1);
    EXPECT_EQ(autoScrollAfter(1, 1, INT32_MAX, INT32_MAX - 50, 600), 0);
}
