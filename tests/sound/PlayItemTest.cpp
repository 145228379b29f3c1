#include <gtest/gtest.h>

#include <string>

#include "document/AudioSegment.h"
#include "sound/PlayItem.h"
#include "sound/PlayerGlobals.h"

namespace {

std::basic_string<PlatformChar> nameOf(const PlayItem& item, uint32_t length)
{
    return std::basic_string<PlatformChar>(item.fileName(), length);
}

std::basic_string<PlatformChar> text(const char* ascii)
{
    std::basic_string<PlatformChar> s;
    for (; *ascii != 0; ++ascii)
        s.push_back(static_cast<PlatformChar>(*ascii));
    return s;
}

} // namespace

TEST(PlayItemTest, FileDurationIsZeroBeforeATrackWasOpened)
{
    const TrackTime d = fileDuration();
    EXPECT_EQ(d.toMilliseconds(), 0u);
    EXPECT_EQ(d.hours(), 0u);
}

TEST(PlayItemTest, ASegmentItemCopiesTheTimesAndTheWholeNameWithAnExtraTerminator)
{
    AudioSegment segment;
    segment.setTextRange(0, 38, 21);
    segment.trackName().assign(u"omblt07.wav");
    segment.start().set(0, 0, 4, 430);
    segment.end().set(0, 1, 0, 5);
    SegmentPlayItem item(segment, 17);
    ASSERT_NE(item.fileName(), nullptr);
    EXPECT_EQ(nameOf(item, 13), text("omblt07.wav") + PlatformChar(0) + PlatformChar(0));
    EXPECT_EQ(item.startMilliseconds(), 4430u);
    EXPECT_EQ(item.endMilliseconds(), 60005u);
    EXPECT_EQ(item.segment(), 17);
}

TEST(PlayItemTest, AnItemOfAnInvalidSegmentIsAPause)
{
    AudioSegment pause;
    TrackTime start(0, 0, 18, 540);
    TrackTime end(0, 0, 18, 620);
    WideString name;
    name.assign(u"omblt01.wav");
    pause.fill(name, start, end, 0, 0, 0);
    EXPECT_EQ(SegmentPlayItem(pause, 2).segment(), -1);
    AudioSegment unset;
    EXPECT_EQ(SegmentPlayItem(unset, 5).segment(), -1);
}

TEST(PlayItemTest, AnEmptyTrackNameGivesAnEmptyTextNotNone)
{
    AudioSegment segment;
    SegmentPlayItem item(segment, 0);
    ASSERT_NE(item.fileName(), nullptr);
    EXPECT_EQ(item.fileName()[0], 0);
}

TEST(PlayItemTest, AssignMakesASeparateCopyAndKeepsTheNameOfANamelessSource)
{
    AudioSegment a;
    a.setTextRange(0, 1, 2);
    a.trackName().assign(u"omblt02.wav");
    a.start().set(0, 0, 1, 0);
    a.end().set(0, 0, 2, 0);
    SegmentPlayItem source(a, 3);
    PlayItem target;
    ASSERT_NE(target.allocFileName(3), nullptr);
    target.assign(source);
    ASSERT_NE(target.fileName(), source.fileName());
    EXPECT_TRUE(sameFileName(target.fileName(), source.fileName()));
    EXPECT_EQ(target.segment(), 3);
    EXPECT_EQ(target.endMilliseconds(), 2000u);
    source.freeFileName();
    EXPECT_EQ(nameOf(target, 11), text("omblt02.wav"));

    PlayItem nameless;
    nameless.setSegment(-1);
    nameless.setStart(TrackTime(0, 0, 0, 7));
    nameless.setEnd(TrackTime(0, 0, 0, 9));
    target.assign(nameless);
    EXPECT_EQ(nameOf(target, 11), text("omblt02.wav"));
    EXPECT_EQ(target.startMilliseconds(), 7u);
    EXPECT_EQ(target.segment(), -1);
}

TEST(PlayItemTest, FileNamesCompareExactly)
{
    const std::basic_string<PlatformChar> a = text("omblt01.wav");
    const std::basic_string<PlatformChar> b = text("omblt01.wav");
    const std::basic_string<PlatformChar> c = text("omblt01.wa");
    const std::basic_string<PlatformChar> d = text("OMBLT01.wav");
    EXPECT_TRUE(sameFileName(a.c_str(), b.c_str()));
    EXPECT_FALSE(sameFileName(a.c_str(), c.c_str()));
    EXPECT_FALSE(sameFileName(c.c_str(), a.c_str()));
    EXPECT_FALSE(sameFileName(a.c_str(), d.c_str()));
    EXPECT_FALSE(sameFileName(a.c_str(), nullptr));
    EXPECT_FALSE(sameFileName(nullptr, nullptr));
}
