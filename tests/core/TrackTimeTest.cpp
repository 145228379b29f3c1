#include <gtest/gtest.h>

#include "core/TrackTime.h"

namespace {

void expectFields(const TrackTime& t, uint32_t h, uint32_t m, uint32_t s, uint32_t ms)
{
    EXPECT_EQ(t.hours(), h);
    EXPECT_EQ(t.minutes(), m);
    EXPECT_EQ(t.seconds(), s);
    EXPECT_EQ(t.milliseconds(), ms);
}

} // namespace

TEST(TrackTimeTest, SplittingAMillisecondCount)
{
    TrackTime t;
    t.setMilliseconds(0);
    expectFields(t, 0, 0, 0, 0);
    t.setMilliseconds(3599999);
    expectFields(t, 0, 59, 59, 999);
    t.setMilliseconds(409000);
    expectFields(t, 0, 6, 49, 0);
    t.setMilliseconds(7384005);
    expectFields(t, 2, 3, 4, 5);
}

TEST(TrackTimeTest, HoursWrapAtSixty)
{
    TrackTime t;
    t.setMilliseconds(216000000);
    expectFields(t, 0, 0, 0, 0);
    t.setMilliseconds(216000000 + 3600000 + 1);
    expectFields(t, 1, 0, 0, 1);
    t.setMilliseconds(4294967295u);
    expectFields(t, 53, 2, 47, 295);
}

TEST(TrackTimeTest, CountingIsUnsignedAndUnchecked)
{
    TrackTime t(0, 0, 75, 0);
    expectFields(t, 0, 0, 75, 0);
    EXPECT_EQ(t.toMilliseconds(), 75000u);

    t.set(1194, 0, 0, 0);
    EXPECT_EQ(t.toMilliseconds(), 3432704u); // 4,298,400,000 modulo 2^32

    t.set(0, 3, 38, 20);
    EXPECT_EQ(t.toMilliseconds(), 218020u);

    t.set(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu);
    EXPECT_EQ(t.toMilliseconds(), 0xFFFFFFFFu - 1000u - 60000u - 3600000u);
}

TEST(TrackTimeTest, RoundTripBelowSixtyHours)
{
    const uint32_t counts[] = {0, 1, 999, 1000, 59999, 60000, 3599999, 3600000, 215999999};
    for (uint32_t ms : counts) {
        TrackTime t;
        t.setMilliseconds(ms);
        EXPECT_EQ(t.toMilliseconds(), ms);
        TrackTime copy(t);
        EXPECT_EQ(copy.toMilliseconds(), ms);
    }
}
