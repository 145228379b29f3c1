// Plays chains of items through the real waveform output into the capture
// device (see SoundTestSupport.h) and compares what was played, byte for
// byte, and what was reported with what the chain must give.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "SoundTestSupport.h"
#include "sound/PlayerGlobals.h"
#include "sound/TrackByteRange.h"

namespace {

std::string trackPath(const char* name)
{
    return captureDir() + "\\" + testVariant() + "_" + name;
}

class SoundPlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // 16-bit mono at 22,050 Hz, 16-bit stereo at 44,100 Hz, 16-bit mono at 11,025 Hz.
        s_a = new TestTrack{trackPath("a.wav"), 1, 22050, 1, 16, 132300};
        s_b = new TestTrack{trackPath("b.wav"), 2, 44100, 2, 16, 352800};
        s_c = new TestTrack{trackPath("c.wav"), 3, 11025, 1, 16, 22050};
        s_c->chunkBeforeFormat = true;
        s_no_data = new TestTrack{trackPath("nodata.wav"), 4, 22050, 1, 16, 0};
        s_no_data->hasData = false;
        // Its data chunk claims a second more than the file holds.
        s_cut = new TestTrack{trackPath("cut.wav"), 5, 22050, 1, 16, 44100};
        s_cut->declaredBytes = 88200;
        for (const TestTrack* track : {s_a, s_b, s_c, s_no_data, s_cut})
            ASSERT_TRUE(writeTrack(*track)) << track->name;
    }

    void SetUp() override { clearCapture(); }

    // Plays the chain to its end; answers the played bytes of each device.
    std::vector<std::string> playToEnd(const std::vector<TestItem>& chain)
    {
        ChainPlayer player;
        player.play(chain);
        EXPECT_EQ(finishCapture(player), "");
        m_events = player.events();
        std::vector<std::string> played;
        for (const std::string& file : readCapture()) {
            const std::string sound = withoutSilence(file);
            if (!sound.empty())
                played.push_back(sound);
        }
        return played;
    }

    static TestTrack* s_a;
    static TestTrack* s_b;
    static TestTrack* s_c;
    static TestTrack* s_no_data;
    static TestTrack* s_cut;
    std::vector<TestEvent> m_events;
};

TestTrack* SoundPlayerTest::s_a = nullptr;
TestTrack* SoundPlayerTest::s_b = nullptr;
TestTrack* SoundPlayerTest::s_c = nullptr;
TestTrack* SoundPlayerTest::s_no_data = nullptr;
TestTrack* SoundPlayerTest::s_cut = nullptr;

// The bytes of each device run of the plan: a run begins where a track was opened.
std::vector<std::string> deviceRuns(const ChainPlan& plan)
{
    std::vector<std::string> runs;
    for (size_t b = 0; b < plan.blocks.size(); ++b) {
        if (plan.blocks[b].newDevice || runs.empty())
            runs.emplace_back();
        ChainPlan one;
        one.blocks.push_back(plan.blocks[b]);
        runs.back() += playedBytes(one, 1);
    }
    return runs;
}

TEST_F(SoundPlayerTest, PlaysAChainOfItemsAcrossTracksByteForByte)
{
    const std::vector<TestItem> chain = {
        segmentItem(*s_a, 100, 900, 0),   pauseItem(*s_a, 900, 1000),
        segmentItem(*s_a, 1000, 1800, 1), // the same track: its device goes on
        pauseItem(*s_a, 1800, 9000),      // to the end of the track's sound
        segmentItem(*s_b, 40, 1500, 2),   // another track: 16 blocks through the ring of 8
        pauseItem(*s_b, 1600, 1550),      // ends before it starts: the 2 ms before its end
        segmentItem(*s_c, 0, 500, 3),     segmentItem(*s_a, 2000, 2500, 4), // back to a track opened before
    };
    const ChainPlan plan = planChain(chain);
    ASSERT_GT(plan.blocks.size(), 8u);
    const std::vector<std::string> played = playToEnd(chain);
    const std::vector<std::string> expected = deviceRuns(plan);
    ASSERT_EQ(played.size(), expected.size()) << "one device for each opening of a track";
    for (size_t d = 0; d < expected.size(); ++d)
        EXPECT_TRUE(played[d] == expected[d]) << "device " << d << ": " << firstDifference(played[d], expected[d]);
    const std::vector<TestEvent> events = playedEvents(chain, plan, plan.blocks.size());
    EXPECT_EQ(m_events, events) << describe(m_events) << "\nexpected " << describe(events);
    // The track opened last was a (22,050 bytes a second: 22 a millisecond).
    EXPECT_EQ(fileDuration().toMilliseconds(), soundDurationMilliseconds(132300, 44100));
}

TEST_F(SoundPlayerTest, AMissingTrackIsReportedOnceAndEndsThePlayback)
{
    const std::vector<TestItem> chain = {
        segmentItem(*s_a, 0, 300, 5),
        pauseItem(*s_a, 300, 400),
        missingItem(trackPath("none.wav"), 6),
        segmentItem(*s_a, 400, 500, 7),
    };
    const ChainPlan plan = planChain(chain);
    const std::vector<std::string> played = playToEnd(chain);
    const std::vector<TestEvent> expected = {{'S', 5}, {'F', 5}, {'S', -1}, {'F', -1}, {'M', 0}};
    EXPECT_EQ(m_events, expected) << describe(m_events);
    EXPECT_TRUE(joined(played) == playedBytes(plan, plan.blocks.size()));
}

TEST_F(SoundPlayerTest, ATrackWithoutSoundIsReportedAsMissing)
{
    playToEnd({segmentItem(*s_no_data, 0, 300, 8), segmentItem(*s_a, 0, 300, 9)});
    const std::vector<TestEvent> expected = {{'M', 0}};
    EXPECT_EQ(m_events, expected) << describe(m_events);
}

TEST_F(SoundPlayerTest, ItemsWithoutSoundAreSkippedWithoutNotifications)
{
    const std::vector<TestItem> chain = {
        segmentItem(*s_a, 500, 500, 10),                                       // empty range
        segmentItem(*s_a, 600, 800, 11),    segmentItem(*s_c, 5000, 6000, 12), // after the end of c's sound
        segmentItem(*s_a, 800, 1000, 13),                                      // a is opened anew
        segmentItem(*s_cut, 500, 3000, 14), // the file holds less than its chunk says
    };
    const ChainPlan plan = planChain(chain);
    const std::vector<std::string> played = playToEnd(chain);
    const std::string expected = playedBytes(plan, plan.blocks.size());
    EXPECT_TRUE(joined(played) == expected) << firstDifference(joined(played), expected);
    const std::vector<TestEvent> events = {{'S', 11}, {'F', 11}, {'S', 13}, {'F', 13}, {'S', 14}, {'F', 14}};
    EXPECT_EQ(m_events, events) << describe(m_events);
}

// A chain of long items in one track.
std::vector<TestItem> longChain(const TestTrack& track, int32_t firstSegment, uint32_t startMs)
{
    std::vector<TestItem> chain;
    for (int32_t k = 0; k < 4; ++k) {
        const uint32_t from = startMs + 400 * static_cast<uint32_t>(k);
        chain.push_back(segmentItem(track, from, from + 380, firstSegment + k));
        chain.push_back(pauseItem(track, from + 380, from + 400));
    }
    return chain;
}

TEST_F(SoundPlayerTest, AfterAStopNothingMoreIsQueuedAndTheQueuedBlocksPlayOut)
{
    const std::vector<TestItem> chain = longChain(*s_b, 20, 0);
    const ChainPlan plan = planChain(chain);
    uint32_t handedOver = 0;
    uint32_t queued = 0;
    // Made after what its notifications use, so that it is closed before that goes.
    ChainPlayer player;
    player.m_on_event = [&](const TestEvent& e) {
        if (e.kind == 'F' && e.segment == 20 && handedOver == 0) {
            player.requestStop();
            handedOver = player.handedOverBlocks();
            queued = player.queuedBlocks();
        }
    };
    player.play(chain);
    ASSERT_EQ(finishCapture(player), "");
    ASSERT_GT(queued, 0u) << "the stop should find blocks queued";
    ASSERT_LT(handedOver, plan.blocks.size());
    const std::string played = withoutSilence(joined(readCapture()));
    const std::string expected = playedBytes(plan, handedOver);
    EXPECT_TRUE(played == expected) << firstDifference(played, expected);
    const std::vector<TestEvent> events = playedEvents(chain, plan, handedOver);
    EXPECT_EQ(player.events(), events) << describe(player.events()) << "\nexpected " << describe(events);
}

TEST_F(SoundPlayerTest, APlaybackStartedAtOnceAfterAStopWaitsForTheQueuedBlocks)
{
    const std::vector<TestItem> first = longChain(*s_b, 30, 0);
    const std::vector<TestItem> second = longChain(*s_b, 40, 1000);
    const ChainPlan firstPlan = planChain(first);
    const ChainPlan secondPlan = planChain(second);
    uint32_t handedOver = 0;
    HANDLE stopped = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ChainPlayer player;
    player.m_on_event = [&](const TestEvent& e) {
        if (e.kind == 'S' && e.segment == 31 && handedOver == 0) {
            player.requestStop();
            handedOver = player.handedOverBlocks();
            SetEvent(stopped);
        }
    };
    player.play(first);
    ASSERT_EQ(WaitForSingleObject(stopped, PlaybackTimeout), WAIT_OBJECT_0) << "the start of segment 31 was not heard";
    player.m_on_event = nullptr;
    // The first playback's thread may still run and its blocks are queued.
    player.play(second);
    ASSERT_EQ(finishCapture(player), "");
    CloseHandle(stopped);

    const std::string played = withoutSilence(joined(readCapture()));
    const std::string expected = playedBytes(firstPlan, handedOver) + playedBytes(secondPlan, secondPlan.blocks.size());
    EXPECT_TRUE(played == expected) << firstDifference(played, expected);
    std::vector<TestEvent> events = playedEvents(first, firstPlan, handedOver);
    const std::vector<TestEvent> more = playedEvents(second, secondPlan, secondPlan.blocks.size());
    events.insert(events.end(), more.begin(), more.end());
    EXPECT_EQ(player.events(), events) << describe(player.events()) << "\nexpected " << describe(events);
}

TEST_F(SoundPlayerTest, TheProcessCanEndWhilePlaying)
{
    const std::vector<TestItem> chain = longChain(*s_b, 50, 0);
    EXPECT_EXIT(
        {
            // Like the reader's player, this one is never destroyed.
            ChainPlayer* player = new ChainPlayer;
            HANDLE heard = CreateEventW(nullptr, TRUE, FALSE, nullptr);
            player->m_on_event = [heard](const TestEvent& e) {
                if (e.kind == 'F')
                    SetEvent(heard);
            };
            player->play(chain);
            WaitForSingleObject(heard, PlaybackTimeout);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
