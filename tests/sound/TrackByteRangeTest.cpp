#include <gtest/gtest.h>

#include <vector>

#include "sound/TrackByteRange.h"

namespace {

struct Range {
    uint32_t start;
    uint32_t end;
};

Range bytes(uint32_t rate, uint32_t frame, uint32_t startMs, uint32_t endMs, uint32_t dataSize = 0xFFFFFFFFu)
{
    Range r = {1, 1};
    timeRangeToBytes(rate, frame, startMs, endMs, dataSize, r.start, r.end);
    return r;
}

} // namespace

TEST(TrackByteRangeTest, WorkedRangesTruncateInDoublePrecisionAndRoundToEvenBytes)
{
    // 16-bit mono: the even rule alone.
    Range r = bytes(176400, 2, 40, 4430);
    EXPECT_EQ(r.start, 7056u);
    EXPECT_EQ(r.end, 781452u);
    r = bytes(176400, 2, 218018, 218020);
    EXPECT_EQ(r.start, 38458374u); // 38,458,375 made even
    EXPECT_EQ(r.end, 38458728u);
    r = bytes(88200, 2, 1005, 2005);
    EXPECT_EQ(r.start, 88640u); // 88,641 made even
    EXPECT_EQ(r.end, 176842u);  // 176,841 made even
}

TEST(TrackByteRangeTest, StereoPositionsStartWholeFrames)
{
    // 38,458,375 lies in the middle of a 4-byte frame: the start goes down to
    // the frame, an end inside a frame up to the next one.
    Range r = bytes(176400, 4, 218018, 218020);
    EXPECT_EQ(r.start, 38458372u);
    EXPECT_EQ(r.end, 38458728u);
    r = bytes(176400, 4, 1, 3);
    EXPECT_EQ(r.start, 176u);
    EXPECT_EQ(r.end, 532u); // 529 rounded up to a frame
    // 24-bit mono (3-byte frames): even and whole frames, so multiples of 6.
    r = bytes(145000, 3, 1, 2);
    EXPECT_EQ(r.start, 144u);
    EXPECT_EQ(r.end, 294u);
}

TEST(TrackByteRangeTest, AnEndBeforeTheStartPlaysTheTwoMillisecondsBeforeTheEnd)
{
    Range r = bytes(176400, 2, 225390, 218020);
    Range expected = bytes(176400, 2, 218018, 218020);
    EXPECT_EQ(r.start, expected.start);
    EXPECT_EQ(r.end, expected.end);
    // No wrap below zero.
    r = bytes(176400, 2, 500, 1);
    EXPECT_EQ(r.start, 0u);
    EXPECT_EQ(r.end, 176u);
    r = bytes(176400, 2, 500, 0);
    EXPECT_EQ(r.start, 0u);
    EXPECT_EQ(r.end, 0u);
}

TEST(TrackByteRangeTest, TheEndStopsAtTheSoundData)
{
    Range r = bytes(176400, 4, 299000, 400000, 52920000);
    EXPECT_EQ(r.start, 52743600u);
    EXPECT_EQ(r.end, 52920000u);
    // Clamping comes after the rounding: an odd size is an end as it stands.
    r = bytes(176400, 2, 0, 1000, 1001);
    EXPECT_EQ(r.end, 1001u);
    // An item that starts after the sound data is empty.
    r = bytes(176400, 2, 1000, 2000, 1000);
    EXPECT_GE(r.start, r.end);
}

TEST(TrackByteRangeTest, PositionsBeyondThirtyTwoBitsStayDefined)
{
    Range r = bytes(0xFFFFFFFFu, 2, 0xFFFFFFF0u, 0xFFFFFFFFu, 1000);
    EXPECT_EQ(r.end, 1000u);
    EXPECT_GE(r.start, r.end);
    r = bytes(0xFFFFFFFFu, 4, 0, 0xFFFFFFFFu);
    EXPECT_EQ(r.end, 0xFFFFFFFFu); // rounding up past 2^32 ends at the data size
}

TEST(TrackByteRangeTest, RangesAreCutIntoBlocksWithTheRemainderInTheLast)
{
    auto cut = [](uint32_t remaining, uint32_t frameBytes) {
        std::vector<uint32_t> blocks;
        while (remaining > 0) {
            blocks.push_back(nextBlockBytes(remaining, frameBytes));
            remaining -= blocks.back();
        }
        return blocks;
    };
    EXPECT_EQ(cut(40000, 2), (std::vector<uint32_t>{16384, 23616}));
    EXPECT_EQ(cut(32768, 4), (std::vector<uint32_t>{32768}));
    EXPECT_EQ(cut(32769, 4), (std::vector<uint32_t>{16384, 16385}));
    EXPECT_EQ(cut(2, 1), (std::vector<uint32_t>{2}));
    std::vector<uint32_t> many = cut(20 * 16384 + 100, 4);
    ASSERT_EQ(many.size(), 20u);
    EXPECT_EQ(many.back(), 16384u + 100u);
}

TEST(TrackByteRangeTest, BlocksOf24BitSoundHoldWholeFrames)
{
    // 16,384 is no whole number of 3- or 6-byte frames: 16,380 is the largest
    // run of whole, even positions below it.
    for (uint32_t frameBytes : {3u, 6u, 12u}) {
        EXPECT_EQ(nextBlockBytes(40002, frameBytes), 16380u) << frameBytes;
        EXPECT_EQ(nextBlockBytes(32760, frameBytes), 32760u) << frameBytes;
        EXPECT_EQ(nextBlockBytes(32766, frameBytes), 16380u) << frameBytes;
    }
    // A frame longer than a block: one frame a block.
    EXPECT_EQ(nextBlockBytes(300000, 65535), 131070u);
}

TEST(TrackByteRangeTest, DurationCutsTheRateToWholeBytesPerMillisecond)
{
    EXPECT_EQ(soundDurationMilliseconds(52920000, 176400), 300681u);
    EXPECT_EQ(soundDurationMilliseconds(88200, 88200), 1002u);
    EXPECT_EQ(soundDurationMilliseconds(0, 176400), 0u);
    // Below 1000 bytes per second the rate is taken exactly, never as 0.
    EXPECT_EQ(soundDurationMilliseconds(1000, 500), 2000u);
    EXPECT_EQ(soundDurationMilliseconds(999, 999), 1000u);
    EXPECT_EQ(soundDurationMilliseconds(0xFFFFFFFFu, 1), 0xFFFFFFFFu);
    EXPECT_EQ(soundDurationMilliseconds(1000, 0), 0u);
}
