#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <set>

#include "SegmentRows.h"
#include "document/BookLoader.h"
#include "edition/SegmentBlocks.h"

namespace {

bool g_fail_array_allocations = false;

using BlockFiller = void (*)(AudioSegmentArray&);

const BlockFiller kBlocks[] = {
    fillSegmentBlock1,  fillSegmentBlock2,  fillSegmentBlock3,  fillSegmentBlock4,  fillSegmentBlock5,
    fillSegmentBlock6,  fillSegmentBlock7,  fillSegmentBlock8,  fillSegmentBlock9,  fillSegmentBlock10,
    fillSegmentBlock11, fillSegmentBlock12, fillSegmentBlock13, fillSegmentBlock14,
};

bool sameSegment(const AudioSegment& a, const AudioSegment& b)
{
    if (a.isValid() != b.isValid() || a.paragraphIndex() != b.paragraphIndex() || a.firstChar() != b.firstChar() ||
        a.lastChar() != b.lastChar() || a.start().toMilliseconds() != b.start().toMilliseconds() ||
        a.end().toMilliseconds() != b.end().toMilliseconds() || a.trackName().count() != b.trackName().count())
        return false;
    for (uint32_t i = 0; i < a.trackName().count(); ++i) {
        if (a.trackName().at(i) != b.trackName().at(i))
            return false;
    }
    return true;
}

} // namespace

// Lets a test make every array allocation fail (FixedArray::setSize allocates
// with this form of new).
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    if (g_fail_array_allocations)
        return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}

TEST(SegmentTableTest, FillGivesEveryRowAndAnswersTrue)
{
    AudioSegmentArray table;
    ASSERT_TRUE(table.setSize(3));
    table.at(1).setTextRange(1, 2, 3);
    EXPECT_TRUE(BookLoader::fillSegmentTable(table));
    ASSERT_EQ(table.count(), kSegmentCount);
    for (uint32_t i = 0; i < table.count(); ++i)
        ASSERT_EQ(table.at(i).isValid(), 1) << segmentName(i);
    EXPECT_EQ(table.at(0).paragraphIndex(), 0);
    EXPECT_EQ(table.at(0).lastChar(), 34);
    // Out of range stays the untouched default segment.
    EXPECT_EQ(table.at(kSegmentCount).isValid(), 0);
    EXPECT_EQ(table.at(kSegmentCount).trackName().count(), 0u);
    EXPECT_EQ(table.at(0xFFFFFFFFu).isValid(), 0);
}

TEST(SegmentTableTest, EveryTrackNameIsItsOwnTerminatedCopy)
{
    AudioSegmentArray& table = filledTable();
    std::set<const char16_t*> storage;
    for (uint32_t i = 0; i < table.count(); ++i) {
        const WideString& name = table.at(i).trackName();
        ASSERT_EQ(name.count(), 12u) << segmentName(i);
        EXPECT_EQ(name.at(11), 0) << segmentName(i);
        EXPECT_NE(trackOfName(name), 0) << segmentName(i);
        storage.insert(name.items());
    }
    EXPECT_EQ(storage.size(), static_cast<size_t>(kSegmentCount));
}

TEST(SegmentTableTest, FailedSizingLeavesTheTableEmptyAndTheDefaultUntouched)
{
    AudioSegmentArray table;
    ASSERT_TRUE(table.setSize(2));
    g_fail_array_allocations = true;
    const bool answer = BookLoader::fillSegmentTable(table);
    g_fail_array_allocations = false;
    EXPECT_FALSE(answer);
    EXPECT_EQ(table.count(), 0u);
    // No row went to the default element: it still reads as no segment.
    EXPECT_EQ(table.at(0).isValid(), 0);
    EXPECT_EQ(table.at(4047).isValid(), 0);
    EXPECT_EQ(table.at(0).trackName().count(), 0u);
}

TEST(SegmentTableTest, EachBlockWritesExactlyItsOwnRows)
{
    AudioSegmentArray& filled = filledTable();
    for (uint32_t n = 0; n < 14; ++n) {
        AudioSegmentArray table;
        ASSERT_TRUE(table.setSize(kSegmentCount));
        kBlocks[n](table);
        const uint32_t first = 300 * n;
        const uint32_t end = n == 13 ? kSegmentCount : first + 300;
        for (uint32_t i = 0; i < kSegmentCount; ++i) {
            if (i >= first && i < end) {
                ASSERT_TRUE(sameSegment(table.at(i), filled.at(i))) << "block " << n + 1 << ", " << segmentName(i);
            } else {
                ASSERT_EQ(table.at(i).isValid(), 0) << "block " << n + 1 << " wrote " << segmentName(i);
            }
        }
        EXPECT_EQ(table.at(kSegmentCount).isValid(), 0) << "block " << n + 1;
    }
}

TEST(SegmentTableTest, RowsPastAShortTableLandOnItsDefault)
{
    AudioSegmentArray& filled = filledTable();
    AudioSegmentArray table;
    ASSERT_TRUE(table.setSize(10));
    fillSegmentBlock1(table);
    for (uint32_t i = 0; i < 10; ++i)
        EXPECT_TRUE(sameSegment(table.at(i), filled.at(i))) << segmentName(i);
    EXPECT_TRUE(sameSegment(table.at(10), filled.at(299)));

    fillSegmentBlock14(table);
    EXPECT_TRUE(sameSegment(table.at(10), filled.at(4047)));
    EXPECT_EQ(table.at(10).isValid(), 1);
    EXPECT_EQ(table.at(10).paragraphIndex(), 681);
    for (uint32_t i = 0; i < 10; ++i)
        EXPECT_TRUE(sameSegment(table.at(i), filled.at(i))) << segmentName(i);
}
